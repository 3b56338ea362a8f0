#pragma once

#include "common/IniFile.h"
#include "common/OperatorFeedback.h"
#include "link/InstrumentSearch.h"
#include "ui/AppContext.h"

#include <QWidget>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QMovie;
class QPushButton;
class QTimer;
class TComPort;
class CommandExchange;
class FileDialogs;
class MegaMenu;
class MessageDialogInfo;
class SplashScreen;
class TFormPassword;
class LecturePanel;
class InitialisationPanel;
class ParametresPanel;

// What the program entry hands the main window.
struct MainWindowEnvironment {
    QString appDir;                       // working directory at start, with a trailing separator
    PortLister listPorts;                 // empty: the system's serial ports
    std::shared_ptr<FileDialogs> dialogs; // empty: the real dialogs
    // Loads and installs the translation of a locale identifier; true when installed.
    std::function<bool(int)> applyStoredLanguage;
    // Starts a new copy of the program (after a change of language).
    std::function<void()> startNewCopy;
    // Ends this program without the close steps; empty: leave the event loop.
    std::function<void()> endProgram;
};

// The program's single main window: menu bar, four stacked panels, identification box,
// status window and information dialog.
class TFormMain : public QWidget, public OperatorFeedback {
    Q_OBJECT
public:
    static constexpr int kLanguageFrench = 1036;
    static constexpr int kLanguageEnglish = 2057;

    explicit TFormMain(MainWindowEnvironment environment, QWidget* parent = nullptr);
    ~TFormMain() override;

    void setPasswordDialog(TFormPassword* dialog);

    const QString& AppDir() const { return m_appDir; }
    int CurrentLanguage() const { return m_currentLanguage; }
    bool MaintenanceMode() const { return m_maintenanceMode; }
    void setMaintenanceMode(bool on) { m_maintenanceMode = on; }
    QString settingsPath() const;

    qint32 ReadInteger(const QString& section, const QString& key, qint32 def) const;
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    void WriteInteger(const QString& section, const QString& key, qint32 value);
    void WriteString(const QString& section, const QString& key, const QString& value);

    // Navigation and the instrument search.
    void MegaMenuMenuItemClick(int ItemIndex);
    void ButtonConnexionClick();
    void TimerAutoConnectTimer();
    int ChercheSonde();
    void AfficheIdent();
    void ShowHomePanel();
    void ButtonLangueClick(QObject* sender);
    void LienNorvaneClick();
    // Writes the folder of each file dialog's current file; raises on a failed write.
    void FormClose();

    // OperatorFeedback
    void AfficheInfo(const QString& texte) override;
    void ShowStatus() override;
    void HideStatus() override;
    void ShowInformation(const QString& message) override;
    void SetMainWindowEnabled(bool enabled) override;
    bool AskQuestion(const QString& question) override;

    // Parts other windows and the tests reach.
    AppContext& context() { return *m_context; }
    TComPort& comPort() { return *m_port; }
    CommandExchange& exchange() { return *m_exchange; }
    FileDialogs& dialogs() { return *m_dialogs; }
    MegaMenu* megaMenu() const { return m_megaMenu; }
    SplashScreen* splashScreen() const { return m_splash; }
    MessageDialogInfo* messageDialog() const { return m_messageDialog; }
    QTimer* timerAutoConnect() const { return m_timerAutoConnect; }
    QWidget* panelAccueil() const { return m_panelAccueil; }
    LecturePanel* panelLecture() const { return m_panelLecture; }
    InitialisationPanel* panelInitialisation() const { return m_panelInitialisation; }
    ParametresPanel* panelHeader() const { return m_panelHeader; }
    QGroupBox* groupBoxIdent() const { return m_groupBoxIdent; }
    QWidget* panelInfoConnexion() const { return m_panelInfoConnexion; }
    QPushButton* buttonConnexion() const { return m_buttonConnexion; }
    QPushButton* buttonLangueFr() const { return m_buttonLangueFr; }
    QPushButton* buttonLangueEn() const { return m_buttonLangueEn; }
    QLabel* imageWait() const { return m_imageWait; }
    InstrumentIdentity shownIdentity() const;
    QString labelLN() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildLayout();
    void buildHomePanel();
    void buildIdentBox();
    void retranslateUi();
    void FormCreate();

    MainWindowEnvironment m_env;
    QString m_appDir;
    int m_currentLanguage = kLanguageEnglish;
    bool m_maintenanceMode = false;
    bool m_endingForLanguage = false;
    bool m_identShown = false;
    IniFile m_settings{QString()};

    std::unique_ptr<TComPort> m_port;
    std::unique_ptr<CommandExchange> m_exchange;
    std::shared_ptr<FileDialogs> m_dialogs;
    OperationGate m_gate;
    std::unique_ptr<AppContext> m_context;

    MegaMenu* m_megaMenu = nullptr;
    QWidget* m_panelAccueil = nullptr;
    LecturePanel* m_panelLecture = nullptr;
    InitialisationPanel* m_panelInitialisation = nullptr;
    ParametresPanel* m_panelHeader = nullptr;
    QGroupBox* m_groupBoxIdent = nullptr;
    QLabel* m_imageWait = nullptr;
    QMovie* m_movie = nullptr;
    SplashScreen* m_splash = nullptr;
    MessageDialogInfo* m_messageDialog = nullptr;
    TFormPassword* m_password = nullptr;
    QTimer* m_timerAutoConnect = nullptr;

    // Home panel
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

    // Identification box
    QLabel* m_labelDescription = nullptr;
    QLabel* m_labelSN = nullptr;
    QLabel* m_labelPN = nullptr;
    QLabel* m_labelPM = nullptr;
    QLabel* m_labelLN = nullptr;
    QLabel* m_labelDN = nullptr;
    QLabel* m_captionSN = nullptr;
    QLabel* m_captionPN = nullptr;
    QLabel* m_captionPM = nullptr;
    QLabel* m_captionLN = nullptr;
    QLabel* m_captionDN = nullptr;
};
