#include "cli/CliLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// The English the window's module is made for (a Windows locale identifier).
constexpr int kEnglishLocale = 2057;
const QString kWindowProgram = QStringLiteral("VEXAReader");

} // namespace

CliLanguage::CliLanguage() = default;

CliLanguage::~CliLanguage() {
    if (m_module.translator)
        QCoreApplication::removeTranslator(m_module.translator.get());
    if (m_toolkit)
        QCoreApplication::removeTranslator(m_toolkit.get());
}

void CliLanguage::install(const QString& toolFile) {
    m_french = localeIsFrench(messagesLocale());
    if (m_french) {
        // The program's own texts are French; Qt's (the parser's help) follow when the system
        // has them.
        m_toolkit = loadToolkitTranslation(QLocale(QLocale::French));
        if (m_toolkit)
            QCoreApplication::installTranslator(m_toolkit.get());
        return;
    }
    for (const QString& program :
         windowProgramCandidates(toolFile, QStringLiteral(VEXA_TOOL_TO_PROGRAMDIR))) {
        m_module = loadTranslationModule(program, kEnglishLocale);
        if (m_module.translator) {
            QCoreApplication::installTranslator(m_module.translator.get());
            return;
        }
    }
}

QString messagesLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

bool localeIsFrench(const QString& locale) {
    return locale == QLatin1String("fr") || locale.startsWith(QLatin1String("fr_")) ||
           locale.startsWith(QLatin1String("fr.")) || locale.startsWith(QLatin1String("fr@"));
}

QStringList windowProgramCandidates(const QString& toolFile, const QString& installedRelative) {
    const QDir folder = QFileInfo(toolFile).absoluteDir();
    return {folder.filePath(kWindowProgram),
            QDir::cleanPath(folder.filePath(installedRelative + u'/' + kWindowProgram))};
}
