#pragma once

#include "common/TranslationModule.h"

#include <QByteArray>
#include <QString>
#include <memory>

class QLocale;
class QTranslator;

// Starts a new copy of the program after a change of language: the program file itself,
// wherever it was started from, in the same working directory so the copy reads the same
// settings file. The outcome is not reported: the new language is stored already.
bool startNewCopy(const QString& programFile, const QString& workingDirectory);

// Translation modules lie next to the program file: VEXAReader.ENG, falling back to the
// two-letter VEXAReader.EN. Installing one makes it the source of every text: the
// windows that exist re-read their texts, and later windows come up translated.
// Qt's own texts (file dialogs, standard buttons) follow the language the windows show,
// from the system's Qt translations when it has them.
class Language {
public:
    explicit Language(QString programFile);
    ~Language();

    // Loads and installs the module of a locale identifier; true when one was installed.
    bool ApplyStoredLanguage(int locale);
    // The file of the installed module, empty when none.

private:
    bool InstallTranslationModule(TranslationModule module);
    void InstallToolkitTranslation(const QLocale& language);
    static void ReloadAllLayouts();

    QString m_programFile;
    // A translator reads the module in place: the bytes live as long as it is installed.
    TranslationModule m_module;
    std::unique_ptr<QTranslator> m_toolkitTranslator;
};
