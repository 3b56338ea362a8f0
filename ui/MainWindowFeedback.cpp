#include "ui/MainWindowFeedback.h"

#include "ui/MessageDialogInfo.h"
#include "ui/SplashScreen.h"

MainWindowFeedback::MainWindowFeedback(QWidget* window)
    : QObject(window), m_window(window), m_splash(new SplashScreen),
      m_messageDialog(new MessageDialogInfo) {
    setObjectName(QStringLiteral("OperatorFeedback"));
}

MainWindowFeedback::~MainWindowFeedback() {
    delete m_splash;
    delete m_messageDialog;
}

void MainWindowFeedback::AfficheInfo(const QString& texte) {
    m_splash->AfficheInfo(texte);
}

void MainWindowFeedback::ShowStatus() {
    m_splash->show();
    m_splash->repaint();
}

void MainWindowFeedback::HideStatus() {
    m_splash->hide();
}

void MainWindowFeedback::ShowInformation(const QString& message) {
    m_messageDialog->ShowMessage(message);
}

void MainWindowFeedback::SetMainWindowEnabled(bool enabled) {
    m_window->setEnabled(enabled);
}

bool MainWindowFeedback::AskQuestion(const QString& question) {
    return m_messageDialog->AskQuestion(question);
}
