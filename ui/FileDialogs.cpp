#include "ui/FileDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// clang-format off
const DialogSpec kSpecs[kDialogCount] = {
    {QT_TRANSLATE_NOOP("FileDialogs", "Fichier Résultat (*.txt)"), "txt", true},
    {QT_TRANSLATE_NOOP("FileDialogs", "Fichier Paramètres (*.dat)"), "dat", true},
    {QT_TRANSLATE_NOOP("FileDialogs", "Fichier Paramètres Spécifiques (*.par)"), "par", true},
    {QT_TRANSLATE_NOOP("FileDialogs", "Fichier paramètres VEXA (*.dat)"), "dat", false},
    {QT_TRANSLATE_NOOP("FileDialogs", "Fichier Paramètres Spécifiques (*.par)"), "par", false},
};
// clang-format on

} // namespace

const DialogSpec& dialogSpec(DialogKind kind) {
    return kSpecs[static_cast<int>(kind)];
}

std::optional<QString> FileDialogs::execute(DialogKind kind) {
    const QString name = fileName(kind);
    QString start = initialDir(kind);
    if (!name.isEmpty())
        start = QFileInfo(name).isAbsolute() ? name : QDir(start).filePath(name);
    auto chosen = present(kind, start);
    if (chosen)
        setFileName(kind, *chosen);
    return chosen;
}

std::optional<QString> QtFileDialogs::present(DialogKind kind, const QString& startPath) {
    const DialogSpec& info = dialogSpec(kind);
    QFileDialog dialog(m_parent);
    dialog.setNameFilter(QCoreApplication::translate("FileDialogs", info.filter));
    dialog.setDefaultSuffix(QString::fromLatin1(info.defaultSuffix));
    dialog.setAcceptMode(info.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(info.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QFileInfo start(startPath);
    if (start.isDir()) {
        dialog.setDirectory(startPath);
    } else {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}
