#pragma once

#include "gui/GuiTestSupport.h"
#include "ui/MessageDialogInfo.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <deque>

// An operator who has only a keyboard: every key goes to the control that has the focus,
// as the window system would send it, and the program's modal dialogs are answered with
// keys too, from a timer, while their own event loop runs.
class KeyboardOperator : public QObject {
public:
    // What the dialogs said, in order; questions apart.
    QStringList messages;
    QStringList questions;
    QStringList errors;
    // The key for each dialog in turn; Return once they run out.
    std::deque<Qt::Key> answers;
    // Dialogs that came up without the keyboard: the key would have gone elsewhere.
    QStringList withoutKeyboard;

    KeyboardOperator() {
        m_timer.setInterval(15);
        connect(&m_timer, &QTimer::timeout, this, &KeyboardOperator::answer);
        m_timer.start();
    }

    // Presses `key` where the keyboard is, once a window in front has it (the window
    // system brings a window to the front a moment after it is shown); false when no
    // control gets it.
    static bool press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = keyboardHolder();
        if (target)
            QTest::keyClick(target, key, modifiers);
        return target;
    }
    static bool type(const QString& text) {
        QWidget* target = keyboardHolder();
        if (target)
            QTest::keyClicks(target, text);
        return target;
    }

    bool waitForMessages(int count, int timeoutMs = 15000) {
        return QTest::qWaitFor([&] { return messages.size() >= count; }, timeoutMs);
    }

private:
    static QWidget* keyboardHolder() {
        if (!QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 2000))
            return nullptr;
        return QApplication::focusWidget();
    }

    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        QWidget* target = QApplication::focusWidget();
        const bool keyboardThere = target && target->window() == modal;
        // Give the window system a moment to bring the dialog to the front.
        if (!keyboardThere && ++m_ticksWaited < kTicksToFront)
            return;
        m_ticksWaited = 0;
        QString text;
        if (auto* info = qobject_cast<MessageDialogInfo*>(modal))
            (isQuestion(info) ? questions : messages).append(text = info->message());
        else if (auto* box = qobject_cast<QMessageBox*>(modal))
            errors.append(text = box->text());
        else
            return;
        if (!keyboardThere) {
            withoutKeyboard.append(text);
            target = modal->focusWidget() ? modal->focusWidget() : modal;
        }
        Qt::Key key = Qt::Key_Return;
        if (!answers.empty()) {
            key = answers.front();
            answers.pop_front();
        }
        QTest::keyClick(target, key);
    }

    static constexpr int kTicksToFront = 20;
    int m_ticksWaited = 0;
    QTimer m_timer;
};

// A key, or text, typed where the keyboard is; the test stops when no control has it.
#define PRESS(...) QVERIFY2(KeyboardOperator::press(__VA_ARGS__), "no control has the keyboard")
#define TYPE(text) QVERIFY2(KeyboardOperator::type(text), "no control has the keyboard")
