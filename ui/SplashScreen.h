#pragma once

#include <QStringList>
#include <QWidget>

// The small always-on-top status window shown during long exchanges.
class SplashScreen : public QWidget {
    Q_OBJECT
public:
    explicit SplashScreen(QWidget* parent = nullptr);

    // Replaces the lines with an empty line, the text and an empty line; drawn at once
    // when the window is visible, since the caller is usually about to wait.
    void AfficheInfo(const QString& texte);
    const QStringList& lines() const { return m_lines; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QStringList m_lines;
};
