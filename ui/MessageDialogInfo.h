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
    QString message() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslateUi();
    QLabel* m_caption;
    class QPushButton* m_ok;
};
