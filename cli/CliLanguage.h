#pragma once

#include "common/TranslationModule.h"

#include <QString>
#include <QStringList>
#include <memory>

class QTranslator;

// The tool speaks the window's languages from the window's own translation module: French,
// the program's own texts, when the messages' locale is French (LC_ALL, else LC_MESSAGES,
// else LANG), English otherwise.
class CliLanguage {
public:
    CliLanguage();
    ~CliLanguage();
    CliLanguage(const CliLanguage&) = delete;
    CliLanguage& operator=(const CliLanguage&) = delete;

    // Installs the language the environment asks for.
    void install(const QString& toolFile);
    bool french() const { return m_french; }

private:
    bool m_french = false;
    TranslationModule m_module;
    std::unique_ptr<QTranslator> m_toolkit;
};

// The locale the environment gives for messages, by the usual precedence.
QString messagesLocale();
bool localeIsFrench(const QString& locale);

// Where the window's program file is, seen from the tool's: beside it in the build folder,
// in its private folder once installed (`installedRelative` is that folder, relative to the
// tool's).
QStringList windowProgramCandidates(const QString& toolFile, const QString& installedRelative);
