#include "ui/MessageDialogInfo.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

MessageDialogInfo::MessageDialogInfo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("MessageDialogInfo"));
    // Application-modal without an owner, so it stays usable while the main window
    // itself is disabled by the operation that reports through it.
    setWindowModality(Qt::ApplicationModal);
    setStyleSheet(QStringLiteral(
        "MessageDialogInfo { background: white; border: 1px solid #2F6FC0; }"
        "QLabel#caption { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #EAF3FD,"
        " stop:1 #BFDBF7); color: #102A4C; font-weight: bold; }"
        "QPushButton { border: 1px solid #2F6FC0; border-radius: 10px; background: #EAF3FD;"
        " min-width: 88px; min-height: 24px; }"
        "QPushButton:focus { background: #BFDBF7; }"));
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setMinimumHeight(60);
    m_caption->setMargin(8);
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("Ok"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 12);
    layout->addWidget(m_caption);
    layout->addWidget(m_ok, 0, Qt::AlignHCenter);
    setMinimumWidth(360);
    retranslateUi();
}

void MessageDialogInfo::retranslateUi() {
    m_ok->setText(tr("Ok"));
}

void MessageDialogInfo::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

QString MessageDialogInfo::message() const {
    return m_caption->text();
}

void MessageDialogInfo::ShowMessage(const QString& message) {
    m_caption->setText(message);
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_ok->setFocus();
    exec();
}
