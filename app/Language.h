#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QLocale;
class QTranslator;

// The three-letter language abbreviation of a Windows locale identifier (2057 "ENG",
// 1036 "FRA", 1033 "ENU", ...); empty for an identifier the table does not know.
QString localeAbbreviation(int locale);

// The translation module's path for a program file: everything after the last dot of the
// file name replaced by `abbreviation`, or the abbreviation appended after a dot when the
// file name has none (program files on Linux). A dot in a folder name never counts.
QString translationModulePath(const QString& programFile, const QString& abbreviation);

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
    QString installedModule() const { return m_installedPath; }

private:
    std::unique_ptr<QTranslator> LoadTranslationModule(int locale, QString* path);
    bool InstallTranslationModule(std::unique_ptr<QTranslator> module, const QString& path);
    void InstallToolkitTranslation(const QLocale& language);
    static void ReloadAllLayouts();

    QString m_programFile;
    // A translator reads the module in place: the bytes live as long as it is installed.
    QByteArray m_moduleData;
    std::unique_ptr<QTranslator> m_translator;
    QString m_installedPath;
    std::unique_ptr<QTranslator> m_toolkitTranslator;
};
