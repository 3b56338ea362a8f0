#include "ui/TFormPassword.h"

#include "common/MaintenancePassword.h"
#include "common/Messages.h"
#include "ui/ErrorReport.h"
#include "ui/Handlers.h"
#include "ui/KeyboardNavigation.h"
#include "ui/MessageDialogInfo.h"
#include "ui/Pictures.h"
#include "ui/Theme.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

TFormPassword::TFormPassword(QWidget* owner)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_owner(owner) {
    setObjectName(QStringLiteral("TFormPassword"));
    // The rounded frame with the same margin all round: at 401 x 136 its bottom edge fell
    // outside the window.
    setFixedSize(409, 145);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("PanelMaintenance"));
    m_panel->setGeometry(8, 8, 393, 129);
    m_panel->setAttribute(Qt::WA_StyledBackground);
    m_panel->setStyleSheet(theme::roundedPanelCss(m_panel->objectName()));
    m_image4 = new QLabel(m_panel);
    m_image4->setObjectName(QStringLiteral("Image4"));
    m_image4->setGeometry(29, 32, 57, 54);
    m_label13 = new QLabel(m_panel);
    m_label13->setObjectName(QStringLiteral("Label13"));
    m_label13->move(131, 35);
    m_editPassword = new QLineEdit(m_panel);
    m_editPassword->setObjectName(QStringLiteral("EditPassword"));
    m_editPassword->setGeometry(216, 32, 132, 21);
    m_editPassword->setMaxLength(16);
    m_editPassword->setEchoMode(QLineEdit::Password);
    m_editPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // '*'
    m_editPassword->installEventFilter(this);
    m_buttonAnnuler = new QPushButton(m_panel);
    m_buttonAnnuler->setObjectName(QStringLiteral("ButtonAnnuler"));
    m_buttonAnnuler->setGeometry(129, 72, 88, 26);
    m_buttonOK = new QPushButton(m_panel);
    m_buttonOK->setObjectName(QStringLiteral("ButtonOK"));
    m_buttonOK->setGeometry(260, 72, 88, 26);
    connectHandler(m_buttonOK, &QPushButton::clicked, this, &TFormPassword::ButtonOKClick);
    connectHandler(m_buttonAnnuler, &QPushButton::clicked, this,
                   &TFormPassword::ButtonAnnulerClick);
    m_messageDialog = new MessageDialogInfo(this);
    retranslateUi();
}

TFormPassword::~TFormPassword() {
    delete m_messageDialog;
}

void TFormPassword::retranslateUi() {
    setWindowTitle(tr("Maintenance"));
    m_label13->setText(tr("Mot de passe"));
    m_label13->adjustSize();
    m_buttonAnnuler->setText(tr("Annuler"));
    m_buttonOK->setText(tr("OK"));
    m_image4->setAccessibleName(tr("Cadenas"));
    m_editPassword->setAccessibleName(tr("Mot de passe"));
}

void TFormPassword::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void TFormPassword::showEvent(QShowEvent* event) {
    // Decoded on first sight: most sessions never open the dialog.
    if (m_image4->pixmap().isNull())
        m_image4->setPixmap(
            resourcePicture(QStringLiteral(":/images/padlock.png"), devicePixelRatio()));
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // A dialog of the main window, not a program of its own: no task-bar entry, and it does
    // not keep the program alive once the main window has closed. Not a widget child,
    // which the disabled main window would disable too.
    if (QWindow* own = windowHandle(); own && m_owner)
        own->setTransientParent(m_owner->windowHandle());
    QWidget::showEvent(event);
    FormShow();
}

void TFormPassword::FormShow() {
    m_editPassword->clear();
    activateWindow();
    m_editPassword->setFocus();
}

bool TFormPassword::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editPassword && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || text == u"\n" || text == u"\r") {
            guarded([&] { CheckPassword(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFormPassword::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            guarded([this] { ButtonAnnulerClick(); });
        return;
    }
    if (!pressFocusedButton(this, event))
        QWidget::keyPressEvent(event);
}

void TFormPassword::ButtonOKClick() {
    CheckPassword();
}

void TFormPassword::CheckPassword() {
    if (isMaintenancePassword(m_editPassword->text())) {
        close();
        Q_EMIT accepted();
    } else {
        m_messageDialog->showMessage(msg(MsgId::WrongPassword));
        m_editPassword->clear();
        // Ready for the next try, also when it was made with "OK".
        m_editPassword->setFocus(Qt::OtherFocusReason);
    }
}

void TFormPassword::ButtonAnnulerClick() {
    close();
    Q_EMIT cancelled();
}

void TFormPassword::closeEvent(QCloseEvent* event) {
    event->accept();
    Q_EMIT closed();
}
