#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class SearchDetailsView;
struct SearchRecord;

// "PanelAccueil": the maker's logo, the program's name and version, the maker's web link,
// the two language flags, and the connection prompt shown after a search that found
// nothing, with its "Connexion" button. Tab goes down the main column (the link, then the
// prompt) before the language corner, so that Enter pressed once too often after choosing
// the panel opens a web page rather than restarting the program in another language.
class HomePanel : public QWidget {
    Q_OBJECT
public:
    explicit HomePanel(QWidget* parent = nullptr);

    // The locale identifiers the flags stand for, read back by the language handler.
    void setLanguageLocales(int french, int english);
    static int localeOf(const QObject* flag);

    void showConnectionPrompt(bool shown);
    // The keyboard goes to "Connexion", the one thing left to do after a failed search.
    void focusConnectionButton();
    // What the last search met on each port, with the fixes, beside the prompt; nothing
    // after a search that found the instrument.
    void showSearchRecord(const SearchRecord& record);
    void clearSearchRecord();

Q_SIGNALS:
    // A flag was clicked; `flag` carries its locale identifier (localeOf).
    void languageFlagClicked(QObject* flag);
    // "Connexion" was pressed.
    void connectionRequested();
    // The connection prompt was shown or hidden.
    void connectionPromptShown(bool shown);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void LienNorvaneClick();

private:
    void buildPrompt();
    // The prompt alone, or grown upwards to hold the details above it: the two lines and
    // "Connexion" stay where they are in the window.
    void placePrompt(bool withDetails);
    void retranslateUi();

    QLabel* m_image3 = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_lienNorvane = nullptr;
    QLabel* m_languageCaption = nullptr;
    QPushButton* m_buttonLangueFr = nullptr;
    QPushButton* m_buttonLangueEn = nullptr;
    QWidget* m_panelInfoConnexion = nullptr;
    QLabel* m_connectionPromptText = nullptr;
    QPushButton* m_buttonConnexion = nullptr;
    SearchDetailsView* m_details = nullptr;
};
