#pragma once

#include <QElapsedTimer>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

// The small always-on-top status window shown during long exchanges.
class SplashScreen : public QWidget {
    Q_OBJECT
public:
    explicit SplashScreen(QWidget* parent = nullptr);

    // Replaces the lines with an empty line, the text and an empty line; drawn at once
    // when the window is visible, since the caller is usually about to wait, or, when the
    // last text was drawn less than a tenth of a second (or a screen frame) ago, then.
    void AfficheInfo(const QString& texte);
    const QStringList& lines() const { return m_lines; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int frameMs() const;
    void drawText();

    QStringList m_lines;
    // A text that follows the last one drawn within a frame (frameMs) is drawn when that
    // frame is over, and only the latest one.
    QElapsedTimer m_lastDrawn;
    QTimer m_nextFrame;
    // The gradient and the frame, drawn once per size and pixel ratio: every text draw
    // would otherwise compute the gradient again.
    QPixmap m_background;
};
