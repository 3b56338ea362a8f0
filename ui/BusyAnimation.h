#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QLabel;
class QMovie;
class QWidget;

// The busy animation beneath the panels. It is seen exactly while none of the panels
// covers it, so the movie runs only then: a running movie wakes the program at every
// frame, which would keep an idle program busy behind the home panel for nothing.
class BusyAnimation : public QObject {
    Q_OBJECT
public:
    // Shows `movie` in `picture` and watches the show and hide of `picture` and `panels`.
    BusyAnimation(QLabel* picture, QMovie* movie, const QList<QWidget*>& panels,
                  QObject* parent = nullptr);

    bool isRunning() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    QPointer<QLabel> m_picture;
    QPointer<QMovie> m_movie;
    QList<QPointer<QWidget>> m_panels;
};
