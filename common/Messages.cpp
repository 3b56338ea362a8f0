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
    {MsgId::PortsTried,             QT_TRANSLATE_NOOP("Messages", "Ports essayés :")},
    {MsgId::PortAnswered,           QT_TRANSLATE_NOOP("Messages", "Le port %1 a répondu.")},
    {MsgId::PortSilent,             QT_TRANSLATE_NOOP("Messages", "Le port %1 s'est ouvert, mais rien n'a répondu en 2 secondes.")},
    {MsgId::PortSilentFix,          QT_TRANSLATE_NOOP("Messages", "Vérifier que le Vexameter est allumé et que son câble est branché sur ce port.")},
    {MsgId::PortAlsoOpenIn,         QT_TRANSLATE_NOOP("Messages", "Ce port est aussi ouvert par un autre programme (%1), qui peut lui prendre ses réponses.")},
    {MsgId::PortAbsent,             QT_TRANSLATE_NOOP("Messages", "Le port %1 n'existe pas : l'adaptateur est-il branché ?")},
    {MsgId::PortNoPermission,       QT_TRANSLATE_NOOP("Messages", "Vous n'avez pas le droit d'utiliser le port %1.")},
    {MsgId::PortNoPermissionGroup,  QT_TRANSLATE_NOOP("Messages", "Vous n'avez pas le droit d'utiliser le port %1 : il est réservé au groupe %2, dont vous ne faites pas partie.")},
    {MsgId::PortNoPermissionSession,QT_TRANSLATE_NOOP("Messages", "Vous n'avez pas encore le droit d'utiliser le port %1 : vous avez été inscrit dans le groupe %2 après l'ouverture de cette session.")},
    {MsgId::PortNoPermissionOwner,  QT_TRANSLATE_NOOP("Messages", "Vous n'avez pas le droit d'utiliser le port %1 : seul l'utilisateur %2 y a accès.")},
    {MsgId::PortNoPermissionPolicy, QT_TRANSLATE_NOOP("Messages", "Vous n'avez pas le droit d'utiliser le port %1, bien que vous soyez dans le groupe %2.")},
    {MsgId::FixJoinGroup,           QT_TRANSLATE_NOOP("Messages", "Pour entrer dans le groupe %1, taper dans un terminal la commande ci-dessous, puis fermer la session et la rouvrir :")},
    {MsgId::FixNewSession,          QT_TRANSLATE_NOOP("Messages", "Fermer la session et la rouvrir (ou redémarrer l'ordinateur).")},
    {MsgId::FixOwnerOnly,           QT_TRANSLATE_NOOP("Messages", "Demander à l'administrateur de donner ce port au groupe %1 par une règle udev (GROUP=\"%1\", MODE=\"0660\").")},
    {MsgId::FixPolicy,              QT_TRANSLATE_NOOP("Messages", "Un bac à sable (Flatpak, Snap) ou une règle de sécurité bloque peut-être l'accès : lancer le programme hors du bac à sable, ou lui accorder l'accès aux ports série.")},
    {MsgId::PortHeldBy,             QT_TRANSLATE_NOOP("Messages", "Le port %1 est utilisé par un autre programme (%2).")},
    {MsgId::PortHeld,               QT_TRANSLATE_NOOP("Messages", "Le port %1 est utilisé par un autre programme.")},
    {MsgId::FixHeld,                QT_TRANSLATE_NOOP("Messages", "Fermer ce programme (terminal série, autre copie de VEXA-Reader...), puis cliquer sur \"Connexion\".")},
    {MsgId::PortProbablyHeldBy,     QT_TRANSLATE_NOOP("Messages", "Le port %1 est probablement utilisé par un autre programme (%2) : un fichier de verrou le dit, mais n'importe quel utilisateur a pu l'écrire.")},
    {MsgId::PortLockNotFile,        QT_TRANSLATE_NOOP("Messages", "Le port %1 est bloqué : son fichier de verrou %2 n'est pas un fichier ordinaire (un autre utilisateur a pu le mettre là).")},
    {MsgId::FixRemoveLockFile,      QT_TRANSLATE_NOOP("Messages", "Faire supprimer ce fichier par l'administrateur :")},
    {MsgId::PortNotSerial,          QT_TRANSLATE_NOOP("Messages", "%1 n'est pas un port série (%2).")},
    {MsgId::KindRegularFile,        QT_TRANSLATE_NOOP("Messages", "fichier ordinaire")},
    {MsgId::KindDirectory,          QT_TRANSLATE_NOOP("Messages", "dossier")},
    {MsgId::KindNotTerminal,        QT_TRANSLATE_NOOP("Messages", "périphérique qui n'est pas une ligne série")},
    {MsgId::KindSpecialFile,        QT_TRANSLATE_NOOP("Messages", "fichier spécial")},
    {MsgId::FixNotSerial,           QT_TRANSLATE_NOOP("Messages", "Retirer ce chemin de VEXA_EXTRA_PORTS.")},
    {MsgId::PortFailed,             QT_TRANSLATE_NOOP("Messages", "Le port %1 a échoué pendant l'essai (%2).")},
    {MsgId::PortSameDevice,         QT_TRANSLATE_NOOP("Messages", "%1 désigne le même périphérique que %2, déjà essayé.")},
    {MsgId::NoPortListed,           QT_TRANSLATE_NOOP("Messages", "Aucun port série n'a été trouvé : le câble est-il branché ?")},
    {MsgId::ExtraPortsHint,         QT_TRANSLATE_NOOP("Messages", "La variable d'environnement VEXA_EXTRA_PORTS ajoute des ports que le système ne liste pas, séparés par \":\" (par exemple /dev/rfcomm0 pour une liaison Bluetooth).")},
    {MsgId::BrlttyPresent,          QT_TRANSLATE_NOOP("Messages", "brltty (le pilote des afficheurs braille) est installé et un adaptateur %1 est branché : brltty s'empare souvent de ces adaptateurs, dont le port apparaît puis disparaît.")},
    {MsgId::FixBrltty,              QT_TRANSLATE_NOOP("Messages", "Si vous n'utilisez pas d'afficheur braille, désinstaller le paquet brltty ou le désactiver par les commandes ci-dessous, puis rebrancher l'adaptateur :")},
    {MsgId::ModemManagerRunning,    QT_TRANSLATE_NOOP("Messages", "ModemManager est en marche : il essaie les ports série qui apparaissent et peut occuper celui du Vexameter.")},
    {MsgId::FixModemManager,        QT_TRANSLATE_NOOP("Messages", "Pour qu'il laisse l'adaptateur en paix, taper dans un terminal les commandes ci-dessous, puis rebrancher l'adaptateur :")},
    {MsgId::FileNotSafeOnDisk,      QT_TRANSLATE_NOOP("Messages", "Le fichier %1 n'a pu être mis en sûreté sur le disque : %2")},
    {MsgId::FileDiffersOnDisk,      QT_TRANSLATE_NOOP("Messages", "Le fichier %1 relu sur le disque diffère de ce qui devait y être écrit (%2 octets attendus, %3 relus, premier écart à l'octet %4).")},
    {MsgId::LedgerNotRegularFile,   QT_TRANSLATE_NOOP("Messages", "Le journal %1 n'est pas un fichier ordinaire ; rien n'y est écrit.")},
    {MsgId::CannotWriteLedger,      QT_TRANSLATE_NOOP("Messages", "Impossible d'écrire dans le journal %1 : %2")},
    {MsgId::ArchivePasswordInUrl, QT_TRANSLATE_NOOP("Messages", "L'adresse de l'archive contient un mot de passe, qui ne doit jamais figurer sur la ligne de commande : l'enlever de l'adresse et le mettre dans ~/.pgpass (ou dans le fichier que nomme PGPASSFILE).")},
    {MsgId::ArchiveBadUrl, QT_TRANSLATE_NOOP("Messages", "Adresse d'archive incorrecte (%1) : sqlite:CHEMIN ou postgresql://utilisateur@hôte:port/base attendu.")},
    {MsgId::ArchiveDriverMissing, QT_TRANSLATE_NOOP("Messages", "Le pilote de base de données %1 de Qt n'est pas installé (paquet %2).")},
    {MsgId::ArchiveUnreachable, QT_TRANSLATE_NOOP("Messages", "L'archive %1 est injoignable : %2")},
    {MsgId::ArchiveSchemaTooNew, QT_TRANSLATE_NOOP("Messages", "L'archive %1 a un schéma de version %2, plus récent que celui de ce programme (%3) : mettre VEXA-Reader à jour.")},
    {MsgId::ArchiveRequestFailed, QT_TRANSLATE_NOOP("Messages", "L'archive %1 a refusé la demande : %2")},
    {MsgId::ArchivePending, QT_TRANSLATE_NOOP("Messages", "Archive en attente : le téléchargement est gardé dans %1 jusqu'à ce que l'archive réponde (%2).")},
    {MsgId::ArchiveSpoolUnreadable, QT_TRANSLATE_NOOP("Messages", "Le fichier en attente %1 est illisible et reste en place : %2")},
    {MsgId::ArchiveFileAltered, QT_TRANSLATE_NOOP("Messages", "Le fichier %1 de l'instrument %2 ne correspond plus à son empreinte SHA-256 dans l'archive.")},
    {MsgId::LowLatencyRefused, QT_TRANSLATE_NOOP("Messages", "Cet adaptateur USB a refusé le mode à faible latence : il garde chaque réponse jusqu'à la fin de son délai de latence (16 ms d'ordinaire), ce qui allonge un transfert jusqu'au double.")},
    {MsgId::FixLatencyTimer, QT_TRANSLATE_NOOP("Messages", "Régler son délai de latence à 1 ms, tout de suite puis à chaque branchement par une règle udev :")},
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
