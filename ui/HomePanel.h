#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// "PanelAccueil": the maker's logo, the program's name and version, the maker's web link,
// the two language flags, and the connection prompt shown after a search that found
// nothing, with its "Connexion" button.
class HomePanel : public QWidget {
    Q_OBJECT
public:
    explicit HomePanel(QWidget* parent = nullptr);

    // The locale identifiers the flags stand for, read back by the language handler.
    void setLanguageLocales(int french, int english);
    static int localeOf(const QObject* flag);

    void showConnectionPrompt(bool shown);
    void LienNorvaneClick();

Q_SIGNALS:
    // A flag was clicked; `flag` carries its locale identifier (localeOf).
    void languageFlagClicked(QObject* flag);
    // "Connexion" was pressed.
    void connectionRequested();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPrompt();
    void retranslateUi();

    QLabel* m_image3 = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_lienNorvane = nullptr;
    QLabel* m_langueCaption = nullptr;
    QPushButton* m_buttonLangueFr = nullptr;
    QPushButton* m_buttonLangueEn = nullptr;
    QWidget* m_panelInfoConnexion = nullptr;
    QLabel* m_infoConnexionText = nullptr;
    QPushButton* m_buttonConnexion = nullptr;
};
