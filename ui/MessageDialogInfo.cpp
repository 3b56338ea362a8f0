#include "ui/MessageDialogInfo.h"

#include "ui/Theme.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
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
    setStyleSheet(QStringLiteral("MessageDialogInfo { background: white; border: 1px solid %1; }"
                                 "QLabel#caption { background: %2; color: %3; font-weight: bold; }"
                                 "QPushButton { border: 1px solid %1; border-radius: 10px;"
                                 " background: %4; min-width: 88px; min-height: 24px; }"
                                 "QPushButton:focus { background: %5; }")
                      .arg(theme::css(theme::frame()), theme::gradientCss(),
                           theme::css(theme::ink()), theme::css(theme::gradientTop()),
                           theme::css(theme::gradientBottom())));
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
    m_yes = new QPushButton(this);
    m_yes->setObjectName(QStringLiteral("Oui"));
    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    m_no = new QPushButton(this);
    m_no->setObjectName(QStringLiteral("Non"));
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {m_ok, m_yes, m_no})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 12);
    layout->addWidget(m_caption);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    retranslateUi();
}

void MessageDialogInfo::retranslateUi() {
    m_ok->setText(tr("Ok"));
    m_yes->setText(tr("Oui"));
    m_no->setText(tr("Non"));
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
    present(message, false);
}

bool MessageDialogInfo::AskQuestion(const QString& question) {
    present(question, true);
    return result() == QDialog::Accepted;
}

bool MessageDialogInfo::isQuestion() const {
    return !m_yes->isHidden();
}

void MessageDialogInfo::answer(bool yes) {
    if (yes)
        accept();
    else
        reject();
}

void MessageDialogInfo::present(const QString& text, bool question) {
    m_caption->setText(text);
    m_ok->setVisible(!question);
    m_yes->setVisible(question);
    m_no->setVisible(question);
    // Replacing a file is the choice that must be made on purpose: Enter means "Non".
    QPushButton* standing = question ? m_no : m_ok;
    for (QPushButton* b : {m_ok, m_yes, m_no})
        b->setDefault(b == standing);
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    standing->setFocus();
    exec();
}
