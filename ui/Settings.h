#pragma once

#include "common/IniFile.h"
#include "ui/FileDialogs.h"

#include <QString>
#include <array>

// The program's settings file, VEXAReader.ini in the working directory: one section,
// "CONFIG", and the keys below with their defaults, in one table. The file is read once
// at start. The language is written when the operator changes it; the five dialog folders
// at close, all in one write of the file, so that a failure leaves none half-saved. Other
// sections and keys of the file stay as they are; the file is never created at start.
class Settings {
public:
    static constexpr int kLanguageFrench = 1036;
    static constexpr int kLanguageEnglish = 2057;

    // `appDir` is the working directory with its trailing separator: where the file lies,
    // and every folder's default.
    explicit Settings(QString appDir);

    QString path() const { return m_file.path(); }

    // Reads every key; what is missing or unreadable takes its default.
    void load();

    int language() const { return m_language; }
    // The dialog's start folder: the stored one, or the working directory when it is
    // missing or empty.
    QString folder(DialogKind kind) const { return m_folders[index(kind)]; }

    // Raise EFileError when the file cannot be written.
    void writeLanguage(int locale);
    // Each dialog's current file name, in dialog order; their folder parts are stored.
    void writeFolders(const std::array<QString, kDialogCount>& fileNames);
    // Every dialog starts in its stored folder.
    void applyFolders(FileDialogs& dialogs) const;
    // The folder of each dialog's current file.
    void writeFoldersOf(const FileDialogs& dialogs);

    // The folder part of a file name: up to and including its last separator (or the
    // drive colon of a Windows name such as "C:file.txt"), empty when it has none.
    static QString folderPart(const QString& fileName);

private:
    static int index(DialogKind kind) { return static_cast<int>(kind); }

    QString m_appDir;
    IniFile m_file;
    int m_language = kLanguageEnglish;
    std::array<QString, kDialogCount> m_folders;
};
