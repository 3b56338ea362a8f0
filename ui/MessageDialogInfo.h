#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;

// The information dialog: modal, centred, the message in its caption band exactly as
// given (blanks included), one "Ok" button. Enter presses the focused button ("Ok" at
// first), Escape closes it as "Ok" does (as "Non" does for a question). Assistive
// technology reads the message without the blanks that centre it on screen. When it
// closes, the keyboard goes back to the control that had it.
class MessageDialogInfo : public QDialog {
    Q_OBJECT
public:
    // `owner`: the window the dialog speaks for, which comes back to the front when it
    // closes if no control had the keyboard before it. Not the dialog's parent: the dialog
    // must stay usable while an operation has its window disabled.
    explicit MessageDialogInfo(QWidget* owner = nullptr);

    // Shows `message` and returns once the operator has pressed "Ok".
    void showMessage(const QString& message);
    // Shows `question` with "Oui" and "Non" instead of "Ok"; true for "Oui". Escape and
    // closing the box answer "Non".
    bool askQuestion(const QString& question);
    QString message() const;
    // Answers as the operator would: "Ok" or "Oui" for true, "Non" for false.
    void answer(bool yes);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslateUi();
    void present(const QString& text, bool question);

    QPointer<QWidget> m_owner;
    QLabel* m_caption;
    class QPushButton* m_ok;
    class QPushButton* m_yes;
    class QPushButton* m_no;
};
