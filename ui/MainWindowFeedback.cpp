#include "ui/MainWindowFeedback.h"

#include "ui/MessageDialogInfo.h"
#include "ui/SplashScreen.h"

#include <QWidget>

MainWindowFeedback::MainWindowFeedback(QWidget* window)
    : QObject(window), m_window(window), m_splash(new SplashScreen),
      m_messageDialog(new MessageDialogInfo(window)) {
    setObjectName(QStringLiteral("OperatorFeedback"));
}

MainWindowFeedback::~MainWindowFeedback() {
    delete m_splash;
    delete m_messageDialog;
}

void MainWindowFeedback::AfficheInfo(const QString& texte) {
    m_splash->AfficheInfo(texte);
}

void MainWindowFeedback::showStatus() {
    m_splash->show();
    m_splash->repaint();
}

void MainWindowFeedback::hideStatus() {
    m_splash->hide();
}

void MainWindowFeedback::showInformation(const QString& message) {
    m_messageDialog->showMessage(message);
}

void MainWindowFeedback::setMainWindowEnabled(bool enabled) {
    if (!enabled && m_window->isEnabled())
        m_focusBeforeDisabled = m_window->focusWidget();
    m_window->setEnabled(enabled);
    // Enabled again, the window gives the keyboard back to the control that started the
    // operation, so that the operator can go on from there.
    if (enabled && m_focusBeforeDisabled && !m_window->focusWidget() &&
        m_focusBeforeDisabled->isVisible())
        m_focusBeforeDisabled->setFocus(Qt::OtherFocusReason);
}

bool MainWindowFeedback::askQuestion(const QString& question) {
    return m_messageDialog->askQuestion(question);
}
