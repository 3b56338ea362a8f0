#pragma once

#include <QDialog>

class QLabel;

// The information dialog: modal, centred, the message in its caption band exactly as
// given (blanks included), one "Ok" button.
class MessageDialogInfo : public QDialog {
    Q_OBJECT
public:
    explicit MessageDialogInfo(QWidget* parent = nullptr);

    // Shows `message` and returns once the operator has pressed "Ok".
    void ShowMessage(const QString& message);
    // Shows `question` with "Oui" and "Non" instead of "Ok"; true for "Oui". Escape and
    // closing the box answer "Non".
    bool AskQuestion(const QString& question);
    QString message() const;
    bool isQuestion() const;
    // Answers as the operator would: "Ok" or "Oui" for true, "Non" for false.
    void answer(bool yes);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslateUi();
    void present(const QString& text, bool question);

    QLabel* m_caption;
    class QPushButton* m_ok;
    class QPushButton* m_yes;
    class QPushButton* m_no;
};
