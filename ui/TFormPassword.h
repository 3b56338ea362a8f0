#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class MessageDialogInfo;

// The maintenance password dialog: borderless, on top, shown without blocking while the
// main window is disabled; hidden (not destroyed) when closed. It tells the main window
// what happened and leaves the rest to it.
class TFormPassword : public QWidget {
    Q_OBJECT
public:
    // `owner` is the main window: the dialog stays in front of it, as a dialog of it.
    explicit TFormPassword(QWidget* owner);
    ~TFormPassword() override;

    void CheckPassword();

Q_SIGNALS:
    // The dialog closed, whatever closed it (its buttons, the platform).
    void closed();
    // The right password was given; the dialog has closed.
    void accepted();
    // "Annuler"; the dialog has closed.
    void cancelled();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape is "Annuler"; Enter presses the focused button.
    void keyPressEvent(QKeyEvent* event) override;

private Q_SLOTS:
    void ButtonOKClick();
    void ButtonAnnulerClick();

private:
    void FormShow();
    void retranslateUi();

    QWidget* m_owner;
    QWidget* m_panel;
    QLabel* m_image4;
    QLabel* m_label13;
    QLineEdit* m_editPassword;
    QPushButton* m_buttonAnnuler;
    QPushButton* m_buttonOK;
    MessageDialogInfo* m_messageDialog;
};
