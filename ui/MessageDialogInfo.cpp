#include "ui/MessageDialogInfo.h"

#include "ui/Theme.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The message as it is read out: each line without the blanks that pad it, no empty lines.
QString spokenText(const QString& message) {
    QStringList lines;
    for (const QString& line : message.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines.append(trimmed);
    }
    return lines.join(u'\n');
}

} // namespace

MessageDialogInfo::MessageDialogInfo(QWidget* owner)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_owner(owner) {
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

void MessageDialogInfo::showMessage(const QString& message) {
    present(message, false);
}

bool MessageDialogInfo::askQuestion(const QString& question) {
    present(question, true);
    return result() == QDialog::Accepted;
}

void MessageDialogInfo::answer(bool yes) {
    if (yes)
        accept();
    else
        reject();
}

void MessageDialogInfo::present(const QString& text, bool question) {
    const QPointer<QWidget> before = QApplication::focusWidget();
    m_caption->setText(text);
    // Also the dialog's name, which a screen reader announces as the dialog comes up.
    setAccessibleName(spokenText(text));
    m_caption->setAccessibleName(accessibleName());
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
    // The window the operator was in comes to the front again with the keyboard where it
    // was, given back by the program (a field that reacts to the operator entering it does
    // not react). A message of the start-up may come before the window system brought any
    // window forward: then the owner's.
    const bool backWhereItWas = before && before->isVisible() && before->isEnabled();
    QWidget* back = backWhereItWas ? before.data() : m_owner.data();
    if (back && back->isVisible()) {
        back->activateWindow();
        if (backWhereItWas)
            before->setFocus(Qt::OtherFocusReason);
    }
}
