#include "gui/GuiTestSupport.h"

#include "ui/MessageDialogInfo.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

DialogAnswerer::DialogAnswerer() {
    m_timer.setInterval(15);
    connect(&m_timer, &QTimer::timeout, this, &DialogAnswerer::poll);
    m_timer.start();
}

DialogAnswerer::~DialogAnswerer() = default;

void DialogAnswerer::clear() {
    messages.clear();
    errors.clear();
    questions.clear();
    answers.clear();
}

bool isQuestion(const MessageDialogInfo* dialog) {
    const auto* yes = dialog->findChild<QPushButton*>(QStringLiteral("Oui"));
    return yes && !yes->isHidden();
}

void DialogAnswerer::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (auto* info = qobject_cast<MessageDialogInfo*>(modal)) {
        if (!info->isVisible())
            return;
        const QString text = info->message();
        if (onDialog)
            onDialog(text);
        if (isQuestion(info)) {
            questions.append(text);
            const bool yes = !answers.empty() && answers.front();
            if (!answers.empty())
                answers.pop_front();
            info->answer(yes);
        } else {
            messages.append(text);
            info->accept();
        }
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        if (!box->isVisible())
            return;
        const QString text = box->text();
        if (onDialog)
            onDialog(text);
        errors.append(text);
        box->accept();
    }
}

bool DialogAnswerer::waitForMessages(int count, int timeoutMs) {
    return QTest::qWaitFor([&] { return messages.size() >= count; }, timeoutMs);
}

std::optional<QString> ScriptedFileDialogs::present(DialogKind kind, const QString& startPath) {
    asked.append(kind);
    startPaths.append(startPath);
    if (answers.empty())
        return std::nullopt;
    const bool chosen = answers.front().has_value();
    const QString path = chosen ? *answers.front() : QString();
    answers.pop_front();
    if (!chosen)
        return std::nullopt;
    return path;
}
