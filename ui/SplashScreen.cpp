#include "ui/SplashScreen.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

SplashScreen::SplashScreen(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("SplashScreen"));
    setFixedSize(400, 100);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void SplashScreen::AfficheInfo(const QString& texte) {
    m_lines = {QString(), texte, QString()};
    if (isVisible())
        repaint();
}

void SplashScreen::showEvent(QShowEvent* event) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QWidget::showEvent(event);
}

void SplashScreen::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, QColor(0xEA, 0xF3, 0xFD));
    fill.setColorAt(1, QColor(0xBF, 0xDB, 0xF7));
    p.fillRect(rect(), fill);
    p.setPen(QColor(0x2F, 0x6F, 0xC0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(QColor(0x10, 0x2A, 0x4C));
    const int lineHeight = fontMetrics().height() + 4;
    int y = 10;
    for (const QString& line : m_lines) {
        p.drawText(QRect(0, y, width(), lineHeight), Qt::AlignHCenter | Qt::AlignVCenter, line);
        y += lineHeight;
    }
}
