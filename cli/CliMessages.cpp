#include "cli/CliMessages.h"

#include "common/Messages.h"

#include <QCoreApplication>

namespace {

struct Entry {
    CliMsg id;
    const char* text;
};

// clang-format off
const Entry kTable[] = {
    {CliMsg::Description, QT_TRANSLATE_NOOP("Messages", "Les opérations de VEXA-Reader depuis un terminal ou un script : transfert des mesures, horloge, effacement, fichiers de paramètres, paramètres spécifiques.")},
    {CliMsg::Usage, QT_TRANSLATE_NOOP("Messages", "Utilisation : %1")},
    {CliMsg::CommandsHeading, QT_TRANSLATE_NOOP("Messages", "Commandes :")},
    {CliMsg::CommonOptions, QT_TRANSLATE_NOOP("Messages", "Chaque commande accepte --help (son aide) et --trace FICHIER (tout ce qui passe sur la ligne série, horodaté). « vexa-cli --version » donne la version.")},
    {CliMsg::EnvironmentHeading, QT_TRANSLATE_NOOP("Messages", "Variables d'environnement :")},
    {CliMsg::ExtraPortsVariable, QT_TRANSLATE_NOOP("Messages", "ports série à essayer en plus de ceux du système, séparés par « : »")},
    {CliMsg::PasswordVariable, QT_TRANSLATE_NOOP("Messages", "le mot de passe de maintenance, pour la commande specific")},
    {CliMsg::LanguageVariables, QT_TRANSLATE_NOOP("Messages", "français quand la langue des messages est le français, anglais sinon")},
    {CliMsg::ExitStatusesHeading, QT_TRANSLATE_NOOP("Messages", "Codes de sortie :")},
    {CliMsg::ExitDone, QT_TRANSLATE_NOOP("Messages", "opération terminée")},
    {CliMsg::ExitFailed, QT_TRANSLATE_NOOP("Messages", "autre erreur")},
    {CliMsg::ExitBadUsage, QT_TRANSLATE_NOOP("Messages", "commande, option ou argument incorrect")},
    {CliMsg::ExitNoInstrument, QT_TRANSLATE_NOOP("Messages", "aucun instrument détecté")},
    {CliMsg::ExitNoAnswer, QT_TRANSLATE_NOOP("Messages", "l'instrument ne répond pas")},
    {CliMsg::ExitCommError, QT_TRANSLATE_NOOP("Messages", "erreur de communication")},
    {CliMsg::ExitReadError, QT_TRANSLATE_NOOP("Messages", "erreur de lecture d'une réponse")},
    {CliMsg::ExitEmptyMemory, QT_TRANSLATE_NOOP("Messages", "aucune mesure en mémoire")},
    {CliMsg::ExitInvalidFile, QT_TRANSLATE_NOOP("Messages", "fichier non valide")},
    {CliMsg::ExitRangeRefused, QT_TRANSLATE_NOOP("Messages", "réglage hors de sa plage")},
    {CliMsg::ExitFileExists, QT_TRANSLATE_NOOP("Messages", "le fichier résultat existe déjà (--force pour le remplacer)")},
    {CliMsg::ExitFileError, QT_TRANSLATE_NOOP("Messages", "un fichier ne peut être lu ou écrit")},
    {CliMsg::ExitNotEveryInstrument, QT_TRANSLATE_NOOP("Messages", "--every-instrument : un instrument détecté n'a pas été lu")},
    {CliMsg::ExitPasswordRefused, QT_TRANSLATE_NOOP("Messages", "mot de passe de maintenance refusé")},
    {CliMsg::HelpOption, QT_TRANSLATE_NOOP("Messages", "Affiche l'aide de la commande.")},
    {CliMsg::TraceOption, QT_TRANSLATE_NOOP("Messages", "Écrit dans FILE chaque ligne envoyée et reçue, avec les millisecondes, CR, LF et les octets non imprimables rendus visibles.")},
    {CliMsg::PortOption, QT_TRANSLATE_NOOP("Messages", "Le port série de l'instrument ; sans cette option, les ports sont essayés comme au démarrage de la fenêtre.")},
    {CliMsg::JsonOption, QT_TRANSLATE_NOOP("Messages", "Donne le résultat en JSON sur la sortie standard.")},
    {CliMsg::SeeHelp, QT_TRANSLATE_NOOP("Messages", "Voir « %1 ».")},
    {CliMsg::UnknownCommand, QT_TRANSLATE_NOOP("Messages", "Commande inconnue : %1")},
    {CliMsg::MissingValue, QT_TRANSLATE_NOOP("Messages", "L'option %1 demande une valeur.")},
    {CliMsg::MissingArgument, QT_TRANSLATE_NOOP("Messages", "Argument manquant : %1")},
    {CliMsg::UnexpectedArgument, QT_TRANSLATE_NOOP("Messages", "Argument en trop : %1")},
    {CliMsg::PortsSummary, QT_TRANSLATE_NOOP("Messages", "essaie les ports série et dit pourquoi chacun a échoué")},
    {CliMsg::PortsDescription, QT_TRANSLATE_NOOP("Messages", "Cherche l'instrument comme la fenêtre : chaque port dans l'ordre, jusqu'au premier qui répond. Pour chaque port essayé : ce qui s'est passé et comment y remédier.")},
    {CliMsg::IdentifySummary, QT_TRANSLATE_NOOP("Messages", "affiche l'identité de l'instrument")},
    {CliMsg::IdentifyDescription, QT_TRANSLATE_NOOP("Messages", "Affiche les six champs de l'identification de l'instrument (description, référence produit, version du logiciel, fichier paramètres, numéro de série, référence PM).")},
    {CliMsg::TransferSummary, QT_TRANSLATE_NOOP("Messages", "copie les mesures de l'instrument dans un fichier résultat")},
    {CliMsg::TransferDescription, QT_TRANSLATE_NOOP("Messages", "Transfère toutes les mesures de l'instrument dans un fichier résultat, octet pour octet celui de la fenêtre. Nom par défaut : VEXAaammjjhhnn.txt dans le dossier. Un fichier existant n'est jamais remplacé sans --force. Avec --every-instrument, chaque port listé est essayé et chaque instrument qui répond est lu dans VEXAaammjjhhnn-<numéro de série>.txt.")},
    {CliMsg::OutputOption, QT_TRANSLATE_NOOP("Messages", "Le fichier résultat.")},
    {CliMsg::FolderOption, QT_TRANSLATE_NOOP("Messages", "Le dossier du fichier proposé (par défaut le dossier courant).")},
    {CliMsg::ForceOption, QT_TRANSLATE_NOOP("Messages", "Remplace un fichier résultat existant.")},
    {CliMsg::EveryInstrumentOption, QT_TRANSLATE_NOOP("Messages", "Lit chaque instrument branché, un fichier chacun, puis affiche un tableau récapitulatif.")},
    {CliMsg::OutputOrFolder, QT_TRANSLATE_NOOP("Messages", "--output et --folder ne vont pas ensemble.")},
    {CliMsg::EveryInstrumentAlone, QT_TRANSLATE_NOOP("Messages", "--every-instrument essaie tous les ports et nomme lui-même les fichiers : ni --port ni --output.")},
    {CliMsg::NoSuchFolder, QT_TRANSLATE_NOOP("Messages", "Le dossier %1 n'existe pas.")},
    {CliMsg::FileExists, QT_TRANSLATE_NOOP("Messages", "Le fichier %1 existe déjà ; --force le remplace.")},
    {CliMsg::ResultFileWritten, QT_TRANSLATE_NOOP("Messages", "Fichier résultat : %1 (%2 lignes de mesure)")},
    {CliMsg::EveryInstrumentRead, QT_TRANSLATE_NOOP("Messages", "Instruments détectés : %1, tous lus.")},
    {CliMsg::NotEveryInstrumentRead, QT_TRANSLATE_NOOP("Messages", "Instruments détectés : %1, pas tous lus.")},
    {CliMsg::PortLabel, QT_TRANSLATE_NOOP("Messages", "Port série")},
    {CliMsg::SerialNumberLabel, QT_TRANSLATE_NOOP("Messages", "Numéro de série")},
    {CliMsg::OutcomeLabel, QT_TRANSLATE_NOOP("Messages", "Résultat")},
    {CliMsg::FileLabel, QT_TRANSLATE_NOOP("Messages", "Fichier")},
    {CliMsg::DescriptionLabel, QT_TRANSLATE_NOOP("Messages", "Désignation")},
    {CliMsg::ProductReferenceLabel, QT_TRANSLATE_NOOP("Messages", "Référence produit")},
    {CliMsg::SoftwareVersionLabel, QT_TRANSLATE_NOOP("Messages", "Version du logiciel")},
    {CliMsg::ParameterFileLabel, QT_TRANSLATE_NOOP("Messages", "Fichier paramètres")},
    {CliMsg::PmReferenceLabel, QT_TRANSLATE_NOOP("Messages", "Référence PM")},
    {CliMsg::ClockSummary, QT_TRANSLATE_NOOP("Messages", "règle l'horloge de l'instrument")},
    {CliMsg::ClockDescription, QT_TRANSLATE_NOOP("Messages", "Règle l'horloge de l'instrument à l'heure de l'ordinateur, ou à celle de --at, dans l'ordre de date de sa langue.")},
    {CliMsg::AtOption, QT_TRANSLATE_NOOP("Messages", "La date et l'heure à régler, au lieu de maintenant.")},
    {CliMsg::EraseSummary, QT_TRANSLATE_NOOP("Messages", "efface la mémoire de mesures de l'instrument")},
    {CliMsg::EraseDescription, QT_TRANSLATE_NOOP("Messages", "Efface toutes les mesures stockées dans l'instrument. C'est irréversible : la commande refuse sans --yes.")},
    {CliMsg::YesOption, QT_TRANSLATE_NOOP("Messages", "Confirme l'effacement.")},
    {CliMsg::EraseNeedsYes, QT_TRANSLATE_NOOP("Messages", "L'effacement est irréversible : ajouter --yes pour confirmer.")},
    {CliMsg::CheckSummary, QT_TRANSLATE_NOOP("Messages", "vérifie un fichier de paramètres sans instrument")},
    {CliMsg::CheckDescription, QT_TRANSLATE_NOOP("Messages", "Vérifie un fichier de paramètres comme l'éditeur : sa validité, puis chaque réglage avec sa valeur, sa plage et son résultat. Code 0 seulement quand la fenêtre laisserait enregistrer et envoyer le fichier.")},
    {CliMsg::SoftwareVersionOption, QT_TRANSLATE_NOOP("Messages", "La version du logiciel de l'instrument, qui décide des réglages masqués.")},
    {CliMsg::MaintenanceOption, QT_TRANSLATE_NOOP("Messages", "Comme en mode maintenance : les réglages verrouillés sont modifiables.")},
    {CliMsg::SettingLabel, QT_TRANSLATE_NOOP("Messages", "Réglage")},
    {CliMsg::ValueLabel, QT_TRANSLATE_NOOP("Messages", "Valeur")},
    {CliMsg::RangeLabel, QT_TRANSLATE_NOOP("Messages", "Plage")},
    {CliMsg::SettingPasses, QT_TRANSLATE_NOOP("Messages", "correct")},
    {CliMsg::SettingFails, QT_TRANSLATE_NOOP("Messages", "refusé")},
    {CliMsg::CheckAccepted, QT_TRANSLATE_NOOP("Messages", "Le fichier peut être enregistré et envoyé.")},
    {CliMsg::SendSummary, QT_TRANSLATE_NOOP("Messages", "envoie un fichier de paramètres à l'instrument")},
    {CliMsg::SendDescription, QT_TRANSLATE_NOOP("Messages", "Envoie les enregistrements #P, #R, #G et #F du fichier à l'instrument, comme la fenêtre, avec les mêmes pauses.")},
    {CliMsg::SpecificSummary, QT_TRANSLATE_NOOP("Messages", "paramètres spécifiques de l'instrument (maintenance)")},
    {CliMsg::SpecificDescription, QT_TRANSLATE_NOOP("Messages", "Paramètres spécifiques, en mode maintenance (mot de passe demandé au terminal ou lu dans VEXA_MAINTENANCE_PASSWORD). read : les lit. write : les écrit, modifiés par les options. save FICHIER.par : les lit et les enregistre. load FICHIER.par : écrit dans l'instrument ceux du fichier, en gardant son indicateur de maintenance.")},
    {CliMsg::SerialNumberOption, QT_TRANSLATE_NOOP("Messages", "write : le numéro d'instrument.")},
    {CliMsg::PmReferenceOption, QT_TRANSLATE_NOOP("Messages", "write : la référence PM/scintillateur.")},
    {CliMsg::HighVoltageOption, QT_TRANSLATE_NOOP("Messages", "write : le réglage HT en volts.")},
    {CliMsg::ContrastOption, QT_TRANSLATE_NOOP("Messages", "write : le contraste (0-1023).")},
    {CliMsg::MaintenanceFlagOption, QT_TRANSLATE_NOOP("Messages", "write : l'indicateur de maintenance, 1 ou 0.")},
    {CliMsg::UnknownAction, QT_TRANSLATE_NOOP("Messages", "Action inconnue : %1 (read, write, load ou save).")},
    {CliMsg::ValuesOnlyForWrite, QT_TRANSLATE_NOOP("Messages", "Les valeurs ne se donnent qu'avec write.")},
    {CliMsg::TextTooLong, QT_TRANSLATE_NOOP("Messages", "%1 : %2 caractères au plus.")},
    {CliMsg::DigitsOnly, QT_TRANSLATE_NOOP("Messages", "%1 : des chiffres seulement, %2 au plus.")},
    {CliMsg::FlagValue, QT_TRANSLATE_NOOP("Messages", "%1 : 1 ou 0.")},
    {CliMsg::PasswordPrompt, QT_TRANSLATE_NOOP("Messages", "Mot de passe de maintenance : ")},
    {CliMsg::PasswordUnavailable, QT_TRANSLATE_NOOP("Messages", "Le mot de passe de maintenance ne peut être demandé : pas de terminal, et VEXA_MAINTENANCE_PASSWORD n'est pas définie.")},
    {CliMsg::InstrumentNumberLabel, QT_TRANSLATE_NOOP("Messages", "Numéro d'instrument")},
    {CliMsg::PmScintillatorLabel, QT_TRANSLATE_NOOP("Messages", "PM/Scintillateur")},
    {CliMsg::HighVoltageLabel, QT_TRANSLATE_NOOP("Messages", "Réglage HT (Volts)")},
    {CliMsg::ContrastLabel, QT_TRANSLATE_NOOP("Messages", "Contraste (0-1023)")},
    {CliMsg::MaintenanceFlagLabel, QT_TRANSLATE_NOOP("Messages", "Indicateur de maintenance")},
    {CliMsg::Yes, QT_TRANSLATE_NOOP("Messages", "oui")},
    {CliMsg::No, QT_TRANSLATE_NOOP("Messages", "non")},
    {CliMsg::FieldLabel, QT_TRANSLATE_NOOP("Messages", "%1 :")},
    {CliMsg::FolderNotWritable, QT_TRANSLATE_NOOP("Messages", "Impossible d'écrire dans le dossier %1 : %2")},
    {CliMsg::NotAFile, QT_TRANSLATE_NOOP("Messages", "%1 n'est pas un fichier ordinaire (%2).")},
    {CliMsg::FixHeld, QT_TRANSLATE_NOOP("Messages", "Fermer ce programme (terminal série, autre copie de VEXA-Reader...), puis relancer la commande.")},
    {CliMsg::OutputFailed, QT_TRANSLATE_NOOP("Messages", "Le résultat n'a pu être écrit sur la sortie standard.")},
    {CliMsg::ExitPortBusy, QT_TRANSLATE_NOOP("Messages", "le port est utilisé par un autre programme")},
    {CliMsg::SeeAlso, QT_TRANSLATE_NOOP("Messages", "Voir aussi vexa-reader(1), la fenêtre, et vexa-sim(1), l'instrument simulé. Un fichier de paramètres d'exemple : %1")},
};
// clang-format on

static_assert(std::size(kTable) == kCliMessageCount);

const char* sourceOf(CliMsg id) {
    return kTable[static_cast<int>(id)].text;
}

} // namespace

QString cliMsg(CliMsg id) {
    return QCoreApplication::translate(kMessagesContext, sourceOf(id));
}

QString cliMsgSource(CliMsg id) {
    return QString::fromUtf8(sourceOf(id));
}
