#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class MessageDialogInfo;
class TFormMain;

// The maintenance password dialog: borderless, on top, shown without blocking while the
// main window is disabled; hidden (not destroyed) when closed.
class TFormPassword : public QWidget {
    Q_OBJECT
public:
    static const QString kPassword;

    explicit TFormPassword(TFormMain& main);
    ~TFormPassword() override;

    void ButtonOKClick();
    void ButtonAnnulerClick();
    void CheckPassword();

    QLineEdit* editPassword() const { return m_editPassword; }
    QPushButton* buttonOK() const { return m_buttonOK; }
    QPushButton* buttonAnnuler() const { return m_buttonAnnuler; }
    MessageDialogInfo* messageDialog() const { return m_messageDialog; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void FormClose();
    void searchAgain();
    void retranslateUi();

    TFormMain& m_main;
    QWidget* m_panel;
    QLabel* m_label13;
    QLineEdit* m_editPassword;
    QPushButton* m_buttonAnnuler;
    QPushButton* m_buttonOK;
    MessageDialogInfo* m_messageDialog;
};
