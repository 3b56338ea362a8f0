#include "app/Language.h"

#include <QApplication>
#include <QEvent>
#include <QLocale>
#include <QProcess>
#include <QTranslator>
#include <QWidget>

bool startNewCopy(const QString& programFile, const QString& workingDirectory) {
    return QProcess::startDetached(programFile, {}, workingDirectory);
}

Language::Language(QString programFile) : m_programFile(std::move(programFile)) {}

Language::~Language() {
    if (m_module.translator)
        QCoreApplication::removeTranslator(m_module.translator.get());
    if (m_toolkitTranslator)
        QCoreApplication::removeTranslator(m_toolkitTranslator.get());
}

bool Language::ApplyStoredLanguage(int locale) {
    TranslationModule module = loadTranslationModule(m_programFile, locale);
    // Before the module goes in, so that the windows re-read their texts once, with both.
    // Without a module the windows keep the program's own texts, which are French.
    InstallToolkitTranslation(module.translator ? QLocale(module.translator->language())
                                                : QLocale(QLocale::French));
    if (!module.translator)
        return false;
    return InstallTranslationModule(std::move(module));
}

bool Language::InstallTranslationModule(TranslationModule module) {
    if (m_module.translator)
        QCoreApplication::removeTranslator(m_module.translator.get());
    m_module = std::move(module);
    if (!QCoreApplication::installTranslator(m_module.translator.get()))
        return false;
    ReloadAllLayouts();
    return true;
}

void Language::InstallToolkitTranslation(const QLocale& language) {
    if (m_toolkitTranslator) {
        QCoreApplication::removeTranslator(m_toolkitTranslator.get());
        m_toolkitTranslator.reset();
    }
    m_toolkitTranslator = loadToolkitTranslation(language);
    if (m_toolkitTranslator && !QCoreApplication::installTranslator(m_toolkitTranslator.get()))
        m_toolkitTranslator.reset();
}

void Language::ReloadAllLayouts() {
    // The toolkit only posts its own notice; the windows that exist must have their new
    // texts before start-up goes on, so tell them now. A window passes it to its children.
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
}
