#pragma once

#include "ui/MainWindowEnvironment.h"

#include <QDateTime>
#include <QWidget>
#include <functional>
#include <memory>

class CommandExchange;
class FileDialogs;
class HomePanel;
class IdentityBox;
class InstrumentPanel;
class LanguageRestart;
class MainWindowFeedback;
class MegaMenu;
class OperationGate;
class PanelNavigation;
class ParameterFilePanel;
class QLabel;
class QTimer;
class BusyAnimation;
class LaterPanels;
class Settings;
class TComPort;
class TFormPassword;
class TransferPanel;
struct PanelContext;
struct SearchRecord;

// The program's single main window. It owns the parts — menu bar, four stacked panels (the
// last three made on their first visit),
// identification box, the operator feedback, the serial port and its exchange — wires them
// together, and runs the handlers that move between them: the menu, the instrument search,
// the password dialog's outcome, the change of language, start-up and close.
class TFormMain : public QWidget {
    Q_OBJECT
public:
    explicit TFormMain(MainWindowEnvironment environment, QWidget* parent = nullptr);
    ~TFormMain() override;

    // The dialog created after the window; the window acts on what it reports.
    void setPasswordDialog(TFormPassword* dialog);

    const QString& AppDir() const { return m_appDir; }
    int CurrentLanguage() const { return m_currentLanguage; }
    bool MaintenanceMode() const { return m_maintenanceMode; }
    void setMaintenanceMode(bool on);
    // The clock the panels take proposed names, the clock edit and saved time stamps from,
    // those made later included; empty: the computer's.
    void setClock(std::function<QDateTime()> clock);

    int ChercheSonde();
    void AfficheIdent();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private Q_SLOTS:
    void MegaMenuMenuItemClick(int ItemIndex);
    void ButtonConnexionClick();
    void TimerAutoConnectTimer();
    void ButtonLangueClick(QObject* sender);

private:
    // Writes the folder of each file dialog's current file; raises on a failed write.
    void FormClose();
    void showHomePanel();
    void buildLayout();
    void connectParts();
    void retranslateUi();
    void FormCreate();
    void searchAgain();

    MainWindowEnvironment m_env;
    QString m_appDir;
    int m_currentLanguage;
    bool m_maintenanceMode = false;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<LanguageRestart> m_languageRestart;

    TComPort* m_port;
    CommandExchange* m_exchange;
    std::shared_ptr<FileDialogs> m_dialogs;
    std::unique_ptr<OperationGate> m_gate;
    MainWindowFeedback* m_feedback;
    std::unique_ptr<PanelContext> m_context;
    LaterPanels* m_laterPanels = nullptr;
    std::unique_ptr<PanelNavigation> m_navigation;

    MegaMenu* m_megaMenu = nullptr;
    HomePanel* m_panelAccueil = nullptr;
    IdentityBox* m_groupBoxIdent = nullptr;
    QLabel* m_imageWait = nullptr;
    BusyAnimation* m_busyAnimation = nullptr;
    TFormPassword* m_password = nullptr;
    QTimer* m_timerAutoConnect = nullptr;
};
