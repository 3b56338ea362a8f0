#include "ui/Settings.h"

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("CONFIG");
const QString kFileName = QStringLiteral("VEXAReader.ini");
const QString kLanguageKey = QStringLiteral("Language");

// The dialogs' keys, in dialog order, which is the order they are read and written in.
const std::array<const char*, kDialogCount> kFolderKeys = {
    "ResultSavePath", "ConfigSavePath", "HeaderSavePath", "ConfigLoadPath", "HeaderLoadPath"};

} // namespace

Settings::Settings(QString appDir) : m_appDir(std::move(appDir)), m_file(m_appDir + kFileName) {
    m_folders.fill(m_appDir);
}

void Settings::load() {
    m_language = m_file.ReadInteger(kSection, kLanguageKey, kLanguageEnglish);
    for (int i = 0; i < kDialogCount; ++i) {
        const QString folder =
            m_file.ReadString(kSection, QString::fromLatin1(kFolderKeys[i]), m_appDir);
        m_folders[i] = folder.isEmpty() ? m_appDir : folder;
    }
}

void Settings::writeLanguage(int locale) {
    m_file.WriteInteger(kSection, kLanguageKey, locale);
    m_language = locale;
}

void Settings::writeFolders(const std::array<QString, kDialogCount>& fileNames) {
    QList<IniFile::Entry> entries;
    for (int i = 0; i < kDialogCount; ++i)
        entries.append({QString::fromLatin1(kFolderKeys[i]), folderPart(fileNames[i])});
    m_file.writeStrings(kSection, entries);
}

QString Settings::folderPart(const QString& fileName) {
    qsizetype cut = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    if (cut < 0 && fileName.size() >= 2 && fileName[1] == u':' && fileName[0].isLetter())
        cut = 1;
    return cut < 0 ? QString() : fileName.left(cut + 1);
}

void Settings::applyFolders(FileDialogs& dialogs) const {
    for (int i = 0; i < kDialogCount; ++i) {
        const auto kind = static_cast<DialogKind>(i);
        dialogs.setInitialDir(kind, folder(kind));
    }
}

void Settings::writeFoldersOf(const FileDialogs& dialogs) {
    std::array<QString, kDialogCount> fileNames;
    for (int i = 0; i < kDialogCount; ++i)
        fileNames[i] = dialogs.fileName(static_cast<DialogKind>(i));
    writeFolders(fileNames);
}
