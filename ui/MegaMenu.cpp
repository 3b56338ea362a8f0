#include "ui/MegaMenu.h"

#include "ui/Theme.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

namespace {

QKeySequence entryKey(int index) {
    return QKeySequence(Qt::Key_F5 + index);
}

} // namespace

MegaMenu::MegaMenu(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MegaMenu"));
    // The focused entry is lit and underlined; neither changes its size, so the entries
    // never move.
    setStyleSheet(QStringLiteral(
        "QPushButton { color: white; border: none; padding: 0 14px; font-weight: bold;"
        " background: transparent; }"
        "QPushButton:hover { background: rgba(255, 255, 255, 40); }"
        "QPushButton:focus { background: rgba(255, 255, 255, 60); text-decoration: underline; }"
        "QPushButton:pressed { background: rgba(0, 0, 0, 40); }"
        "QPushButton:disabled { color: rgba(255, 255, 255, 110); }"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(this);
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setMinimumHeight(35);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, i] {
            setCurrent(i);
            Q_EMIT MenuItemClick(i);
        });
        layout->addWidget(button);
        m_items.append(button);
    }
    layout->addStretch();
    setCurrent(0);
    retranslateUi();
}

void MegaMenu::setItemTexts(const QStringList& texts) {
    for (int i = 0; i < m_items.size() && i < texts.size(); ++i) {
        m_items[i]->setText(texts[i]);
        // After the text, which would replace it. A button's own shortcut is ignored while
        // the button, or the bar, is disabled.
        m_items[i]->setShortcut(entryKey(i));
    }
}

QPushButton* MegaMenu::item(int index) const {
    return m_items.value(index);
}

void MegaMenu::setCurrent(int index) {
    m_current = index;
    // Only one entry in the tab order; a click never takes the focus from where it is.
    for (int i = 0; i < m_items.size(); ++i)
        m_items[i]->setFocusPolicy(i == index ? Qt::TabFocus : Qt::NoFocus);
}

void MegaMenu::focusCurrentEntry() {
    m_items[m_current]->setFocus(Qt::OtherFocusReason);
}

bool MegaMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int from = static_cast<int>(m_items.indexOf(static_cast<QPushButton*>(watched)));
    if (from < 0)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int last = static_cast<int>(m_items.size()) - 1;
    int to = -1;
    switch (key->key()) {
    case Qt::Key_Left:
        to = from == 0 ? last : from - 1;
        break;
    case Qt::Key_Right:
        to = from == last ? 0 : from + 1;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = last;
        break;
    default:
        return QWidget::eventFilter(watched, event);
    }
    setCurrent(to);
    m_items[to]->setFocus(Qt::TabFocusReason);
    return true;
}

void MegaMenu::retranslateUi() {
    setAccessibleName(tr("Menu principal"));
    for (int i = 0; i < m_items.size(); ++i)
        m_items[i]->setToolTip(tr("Touche %1").arg(entryKey(i).toString(QKeySequence::NativeText)));
}

void MegaMenu::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void MegaMenu::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient fill(0, 0, 0, height());
    const bool on = isEnabled();
    fill.setColorAt(0, theme::menuTop(on));
    fill.setColorAt(1, theme::menuBottom(on));
    p.fillRect(rect(), fill);
}
