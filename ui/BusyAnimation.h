#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QMovie;
class QWidget;

// The busy animation beneath the panels. It is seen exactly while none of the panels
// covers it, so the movie runs only then: a running movie wakes the program at every
// frame, which would keep an idle program busy behind the home panel for nothing. The
// movie is read the first time it is seen; a window that never uncovers it never decodes it.
class BusyAnimation : public QObject {
    Q_OBJECT
public:
    // Shows the movie in `movieFile` in `picture` and watches the show and hide of `picture`
    // and `panels`.
    BusyAnimation(QLabel* picture, QString movieFile, const QList<QWidget*>& panels,
                  QObject* parent = nullptr);

    // A panel made later covers the picture too.
    void watch(QWidget* panel);
    bool isRunning() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    QPointer<QLabel> m_picture;
    QString m_movieFile;
    QMovie* m_movie = nullptr;
    QList<QPointer<QWidget>> m_panels;
};
