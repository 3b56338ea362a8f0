#include "ui/BusyAnimation.h"

#include <QEvent>
#include <QLabel>
#include <QMovie>

BusyAnimation::BusyAnimation(QLabel* picture, QString movieFile, const QList<QWidget*>& panels,
                             QObject* parent)
    : QObject(parent), m_picture(picture), m_movieFile(std::move(movieFile)) {
    setObjectName(QStringLiteral("BusyAnimation"));
    picture->installEventFilter(this);
    for (QWidget* panel : panels)
        watch(panel);
    update();
}

void BusyAnimation::watch(QWidget* panel) {
    m_panels.append(panel);
    panel->installEventFilter(this);
}

bool BusyAnimation::isRunning() const {
    return m_movie && m_movie->state() == QMovie::Running;
}

bool BusyAnimation::eventFilter(QObject* watched, QEvent* event) {
    // The picture's own show and hide follow the window's (shown, hidden, minimised).
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        update();
    return QObject::eventFilter(watched, event);
}

void BusyAnimation::update() {
    if (!m_picture)
        return;
    // A minimised window keeps its widgets "visible"; only the spontaneous hide tells.
    bool seen = m_picture->isVisible() && !m_picture->window()->isMinimized();
    for (const QPointer<QWidget>& panel : std::as_const(m_panels)) {
        if (panel && !panel->isHidden())
            seen = false;
    }
    if (seen && !m_movie) {
        m_movie = new QMovie(m_movieFile, QByteArray(), this);
        m_picture->setMovie(m_movie);
    }
    if (!m_movie)
        return;
    if (seen && m_movie->state() != QMovie::Running)
        m_movie->start();
    else if (!seen && m_movie->state() == QMovie::Running)
        m_movie->setPaused(true);
}
