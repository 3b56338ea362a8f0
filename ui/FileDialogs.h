#pragma once

#include <QString>
#include <array>
#include <optional>

// The program's five file dialogs, in the order their folders are kept in the settings.
enum class DialogKind { SaveResult, SaveConfig, SaveSpecific, OpenConfig, OpenSpecific };
inline constexpr int kDialogCount = 5;

struct DialogSpec {
    const char* filter;        // "Description (*.ext)"; translatable
    const char* defaultSuffix; // without the dot
    bool save;                 // save dialogs confirm before replacing a file
};

const DialogSpec& dialogSpec(DialogKind kind);

// Keeps each dialog's start folder and current file name (the one last chosen or
// proposed), and shows the dialog. Tests substitute `present` to choose without a window.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    QString initialDir(DialogKind kind) const { return m_state[index(kind)].initialDir; }
    void setInitialDir(DialogKind kind, const QString& dir) {
        m_state[index(kind)].initialDir = dir;
    }
    QString fileName(DialogKind kind) const { return m_state[index(kind)].fileName; }
    void setFileName(DialogKind kind, const QString& name) { m_state[index(kind)].fileName = name; }

    // Shows the dialog on the current file name (or the start folder); on acceptance the
    // chosen path becomes the current file name and is returned.
    std::optional<QString> execute(DialogKind kind);

protected:
    virtual std::optional<QString> present(DialogKind kind, const QString& startPath) = 0;

private:
    static int index(DialogKind kind) { return static_cast<int>(kind); }
    struct State {
        QString initialDir;
        QString fileName;
    };
    std::array<State, kDialogCount> m_state;
};

// The real dialogs.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(class QWidget* parent) : m_parent(parent) {}

protected:
    std::optional<QString> present(DialogKind kind, const QString& startPath) override;

private:
    QWidget* m_parent;
};
