#pragma once

#include "common/OperatorFeedback.h"

#include <QObject>
#include <QPointer>

class MessageDialogInfo;
class SplashScreen;
class QWidget;

// How the operations keep the operator informed from the main window: the status window
// (SplashScreen) with its text, the information dialog, and the main window enabled or not.
class MainWindowFeedback : public QObject, public OperatorFeedback {
    Q_OBJECT
public:
    explicit MainWindowFeedback(QWidget* window);
    ~MainWindowFeedback() override;

    void AfficheInfo(const QString& texte) override;
    void showStatus() override;
    void hideStatus() override;
    void showInformation(const QString& message) override;
    void setMainWindowEnabled(bool enabled) override;
    bool askQuestion(const QString& question) override;

private:
    QWidget* m_window;
    // Windows of their own, without an owner, so that they stay usable while an operation
    // has the main window disabled.
    SplashScreen* m_splash;
    MessageDialogInfo* m_messageDialog;
    // The control that had the keyboard when the window was disabled, which loses it.
    QPointer<QWidget> m_focusBeforeDisabled;
};
