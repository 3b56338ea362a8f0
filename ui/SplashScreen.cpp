#include "ui/SplashScreen.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

SplashScreen::SplashScreen(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("SplashScreen"));
    setFixedSize(400, 100);
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_nextFrame.setSingleShot(true);
    m_nextFrame.setTimerType(Qt::PreciseTimer);
    connect(&m_nextFrame, &QTimer::timeout, this, [this] {
        if (isVisible())
            drawText();
    });
}

// A status that changes more often than this cannot be read anyway; drawing it at every
// screen frame cost more than the transfer's own work.
constexpr int kMaxTextDrawsPerSecond = 10;

int SplashScreen::frameMs() const {
    const QScreen* shownOn = screen();
    const qreal rate = shownOn ? shownOn->refreshRate() : 0;
    const int screenFrame = rate >= 1 && rate <= 1000 ? int(std::ceil(1000.0 / rate)) : 17;
    return std::max(screenFrame, 1000 / kMaxTextDrawsPerSecond);
}

void SplashScreen::drawText() {
    m_lastDrawn.start();
    repaint();
}

void SplashScreen::AfficheInfo(const QString& texte) {
    m_lines = {QString(), texte, QString()};
    // A frame already waiting draws these lines too.
    if (!isVisible() || m_nextFrame.isActive())
        return;
    const qint64 sinceDrawn = m_lastDrawn.isValid() ? m_lastDrawn.elapsed() : frameMs();
    if (sinceDrawn >= frameMs())
        drawText();
    else
        m_nextFrame.start(int(frameMs() - sinceDrawn));
}

void SplashScreen::hideEvent(QHideEvent* event) {
    m_nextFrame.stop();
    QWidget::hideEvent(event);
}

void SplashScreen::showEvent(QShowEvent* event) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QWidget::showEvent(event);
}

void SplashScreen::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (m_background.isNull() || m_background.devicePixelRatio() != ratio ||
        m_background.deviceIndependentSize() != QSizeF(size())) {
        m_background = QPixmap(size() * ratio);
        m_background.setDevicePixelRatio(ratio);
        QPainter b(&m_background);
        QLinearGradient fill(0, 0, 0, height());
        fill.setColorAt(0, QColor(0xEA, 0xF3, 0xFD));
        fill.setColorAt(1, QColor(0xBF, 0xDB, 0xF7));
        b.fillRect(rect(), fill);
        b.setPen(QColor(0x2F, 0x6F, 0xC0));
        b.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    QPainter p(this);
    p.drawPixmap(0, 0, m_background);
    p.setPen(QColor(0x10, 0x2A, 0x4C));
    const int lineHeight = fontMetrics().height() + 4;
    int y = 10;
    for (const QString& line : m_lines) {
        p.drawText(QRect(0, y, width(), lineHeight), Qt::AlignHCenter | Qt::AlignVCenter, line);
        y += lineHeight;
    }
}
