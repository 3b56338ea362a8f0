#include "ui/MegaMenu.h"

#include "ui/Theme.h"

#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

MegaMenu::MegaMenu(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MegaMenu"));
    setStyleSheet(QStringLiteral(
        "QPushButton { color: white; border: none; padding: 0 14px; font-weight: bold;"
        " background: transparent; }"
        "QPushButton:hover { background: rgba(255, 255, 255, 40); }"
        "QPushButton:pressed { background: rgba(0, 0, 0, 40); }"
        "QPushButton:disabled { color: rgba(255, 255, 255, 110); }"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(this);
        button->setFlat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::PointingHandCursor);
        button->setMinimumHeight(35);
        connect(button, &QPushButton::clicked, this, [this, i] { Q_EMIT MenuItemClick(i); });
        layout->addWidget(button);
        m_items.append(button);
    }
    layout->addStretch();
}

void MegaMenu::setItemTexts(const QStringList& texts) {
    for (int i = 0; i < m_items.size() && i < texts.size(); ++i)
        m_items[i]->setText(texts[i]);
}

QPushButton* MegaMenu::item(int index) const {
    return m_items.value(index);
}

void MegaMenu::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient fill(0, 0, 0, height());
    const bool on = isEnabled();
    fill.setColorAt(0, theme::menuTop(on));
    fill.setColorAt(1, theme::menuBottom(on));
    p.fillRect(rect(), fill);
}
