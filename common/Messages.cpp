#include "common/Messages.h"

#include <QCoreApplication>

namespace {

struct Entry {
    MsgId id;
    const char* text;
};

// clang-format off
const Entry kTable[] = {
    {MsgId::NoAnswer,               QT_TRANSLATE_NOOP("Messages", "     L'instrument ne répond pas      ")},
    {MsgId::CommError,              QT_TRANSLATE_NOOP("Messages", "   Erreur de communication   ")},
    {MsgId::Searching,              QT_TRANSLATE_NOOP("Messages", "Recherche instrument en cours...")},
    {MsgId::NotDetected,            QT_TRANSLATE_NOOP("Messages", "Aucun instrument n'a été détecté")},
    {MsgId::DetectedOn,             QT_TRANSLATE_NOOP("Messages", "      Instrument détecté sur %1      ")},
    {MsgId::ReadingStatus,          QT_TRANSLATE_NOOP("Messages", "Lecture en cours")},
    {MsgId::ReadingProgress,        QT_TRANSLATE_NOOP("Messages", "Lecture en cours, fichier %1/%2, Mesure n°%3")},
    {MsgId::ReadError,              QT_TRANSLATE_NOOP("Messages", "     Erreur de lecture      ")},
    {MsgId::NoMeasurement,          QT_TRANSLATE_NOOP("Messages", "     Aucune mesure en mémoire      ")},
    {MsgId::ReadDone,               QT_TRANSLATE_NOOP("Messages", "     Lecture terminée      ")},
    {MsgId::ClockDone,              QT_TRANSLATE_NOOP("Messages", "  Réglage de l'horloge terminé   ")},
    {MsgId::EraseDone,              QT_TRANSLATE_NOOP("Messages", "  Initialisation de la mémoire de données terminée   \r\n Déconnectez le Vexameter ")},
    {MsgId::UnknownCommand,         QT_TRANSLATE_NOOP("Messages", "   Commande inconnue   ")},
    {MsgId::SpecificWriteDone,      QT_TRANSLATE_NOOP("Messages", "  Réglage des paramètres terminé   ")},
    {MsgId::InvalidFile,            QT_TRANSLATE_NOOP("Messages", "     Ce fichier n'est pas valide      ")},
    {MsgId::BadParameters,          QT_TRANSLATE_NOOP("Messages", "   Paramètres incorrects   ")},
    {MsgId::SendingIdentification,  QT_TRANSLATE_NOOP("Messages", "Envoi paramètres d'identification")},
    {MsgId::SendingMeasurement,     QT_TRANSLATE_NOOP("Messages", "Envoi paramètres de mesure")},
    {MsgId::SendingGeneral,         QT_TRANSLATE_NOOP("Messages", "Envoi paramètres généraux")},
    {MsgId::SendDone,               QT_TRANSLATE_NOOP("Messages", "     Paramétrage terminé      \r\n Déconnectez le Vexameter ")},
    {MsgId::WrongPassword,          QT_TRANSLATE_NOOP("Messages", "     Mot de passe incorrect      ")},
    {MsgId::RangePrefix,            QT_TRANSLATE_NOOP("Messages", "Plage : ")},
    {MsgId::RangeTo,                QT_TRANSLATE_NOOP("Messages", " à ")},
    {MsgId::RangeMinThresholdTo,    QT_TRANSLATE_NOOP("Messages", "Seuil min à ")},
    {MsgId::RangeMinToMaxThreshold, QT_TRANSLATE_NOOP("Messages", "Seuil min à Seuil max")},
    {MsgId::RangeToFullBattery,     QT_TRANSLATE_NOOP("Messages", " à Tension batterie pleine")},
    {MsgId::RangeToEmptyBattery,    QT_TRANSLATE_NOOP("Messages", " à Tension batterie vide")},
    {MsgId::CannotWriteIni,         QT_TRANSLATE_NOOP("Messages", "Impossible d'écrire dans %1")},
    {MsgId::InvalidDateTime,        QT_TRANSLATE_NOOP("Messages", "'%1' n'est pas une date et heure correcte")},
    {MsgId::InvalidInteger,         QT_TRANSLATE_NOOP("Messages", "'%1' n'est pas une valeur entière correcte")},
    {MsgId::CannotReadFile,         QT_TRANSLATE_NOOP("Messages", "Impossible d'ouvrir le fichier %1")},
    {MsgId::CannotWriteFile,        QT_TRANSLATE_NOOP("Messages", "Impossible de créer le fichier %1")},
    {MsgId::UnwritableCharacter,    QT_TRANSLATE_NOOP("Messages", "Le caractère « %1 » ne peut pas être enregistré dans %2")},
    {MsgId::HiddenSetting,          QT_TRANSLATE_NOOP("Messages", " (masqué)")},
    {MsgId::LockedSetting,          QT_TRANSLATE_NOOP("Messages", " (maintenance)")},
    {MsgId::UnsendableCharacter,    QT_TRANSLATE_NOOP("Messages", "Le caractère « %1 » ne peut pas être transmis à l'instrument")},
    {MsgId::ReplaceResultFile,      QT_TRANSLATE_NOOP("Messages", "Le fichier %1 existe déjà.\r\nVoulez-vous le remplacer ?")},
    {MsgId::EarlierFileKept,        QT_TRANSLATE_NOOP("Messages", "Le fichier %1 déjà présent a été conservé.")},
    {MsgId::CannotWriteFileReason,  QT_TRANSLATE_NOOP("Messages", "Impossible de créer le fichier %1 : %2")},
};
// clang-format on

static_assert(std::size(kTable) == kLastMessageId - kFirstMessageId + 1);

const char* sourceOf(MsgId id) {
    return kTable[static_cast<int>(id) - kFirstMessageId].text;
}

} // namespace

QString msg(MsgId id) {
    return QCoreApplication::translate(kMessagesContext, sourceOf(id));
}

QString msgSource(MsgId id) {
    return QString::fromUtf8(sourceOf(id));
}
