#include "ui/TFormMain.h"

#include "link/CommandExchange.h"
#include "link/PortDiagnosis.h"
#include "link/TComPort.h"
#include "operations/SearchWithStatus.h"
#include "ui/ArrivalSearch.h"
#include "ui/BusyAnimation.h"
#include "ui/ErrorReport.h"
#include "ui/FileDialogs.h"
#include "ui/Handlers.h"
#include "ui/HomePanel.h"
#include "ui/IdentityBox.h"
#include "ui/KeyboardNavigation.h"
#include "ui/LanguageRestart.h"
#include "ui/LaterPanels.h"
#include "ui/MainWindowFeedback.h"
#include "ui/MegaMenu.h"
#include "ui/OperationGate.h"
#include "ui/PanelContext.h"
#include "ui/PanelNavigation.h"
#include "ui/Settings.h"
#include "ui/TFormPassword.h"

#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

TFormMain::TFormMain(MainWindowEnvironment environment, QWidget* parent)
    : QWidget(parent), m_env(std::move(environment)), m_currentLanguage(Settings::kLanguageEnglish),
      m_port(new TComPort(this)), m_exchange(new CommandExchange(*m_port, this)),
      m_dialogs(m_env.dialogs ? m_env.dialogs : std::make_shared<QtFileDialogs>(this)),
      m_gate(std::make_unique<OperationGate>(*m_exchange)),
      m_feedback(new MainWindowFeedback(this)),
      m_context(std::make_unique<PanelContext>(
          PanelContext{*m_exchange, *m_feedback, *m_dialogs, *m_gate})) {
    setObjectName(QStringLiteral("TFormMain"));
    m_port->setObjectName(QStringLiteral("ComPort"));
    buildLayout();
    connectParts();
    retranslateUi();
    FormCreate();
}

TFormMain::~TFormMain() {
    m_port->Close();
}

// ---------------------------------------------------------------- layout and wiring

void TFormMain::buildLayout() {
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    // Beneath every panel: seen exactly while all panels are hidden.
    m_imageWait = new QLabel(this);
    m_imageWait->setObjectName(QStringLiteral("ImageWait"));
    m_imageWait->setGeometry(290, 184, 57, 54);
    m_imageWait->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_megaMenu = new MegaMenu(this);
    m_megaMenu->setGeometry(0, 0, 640, 35);

    m_panelAccueil = new HomePanel(this);
    // The identification box belongs to the window and lies over the home panel's foot.
    m_groupBoxIdent = new IdentityBox(this);
    m_laterPanels = new LaterPanels(*m_context, this, m_groupBoxIdent);
    m_navigation = std::make_unique<PanelNavigation>(
        *m_exchange, *m_feedback, PanelNavigation::Panels{m_panelAccueil, m_groupBoxIdent},
        m_laterPanels->builders());
    m_laterPanels->setNavigation(m_navigation.get());
    m_laterPanels->placePanel(m_panelAccueil);
    m_panelAccueil->show();
    m_groupBoxIdent->raise();

    m_timerAutoConnect = new QTimer(this);
    m_timerAutoConnect->setObjectName(QStringLiteral("TimerAutoConnect"));
    m_timerAutoConnect->setInterval(10);
    m_timerAutoConnect->start();
}

// Every connection between the parts, in one place.
void TFormMain::connectParts() {
    OperationGate& gate = *m_gate;
    connectOperation(m_megaMenu, &MegaMenu::MenuItemClick, this, &TFormMain::MegaMenuMenuItemClick,
                     gate);
    // A search asked for once: a tick that finds another operation running drops it.
    connect(m_timerAutoConnect, &QTimer::timeout, m_timerAutoConnect, &QTimer::stop);
    connectOperation(m_timerAutoConnect, &QTimer::timeout, this, &TFormMain::TimerAutoConnectTimer,
                     gate);
    connectOperation(m_panelAccueil, &HomePanel::connectionRequested, this,
                     &TFormMain::ButtonConnexionClick, gate);
    auto* arrival = new ArrivalSearch(this, this);
    connect(m_panelAccueil, &HomePanel::connectionPromptShown, arrival,
            &ArrivalSearch::setPromptShown);
    connectOperation(arrival, &ArrivalSearch::searchRequested, this,
                     &TFormMain::ButtonConnexionClick, gate);
    // Ending the program inside a wait would leave that wait with no event loop to end it.
    connectOperation(m_panelAccueil, &HomePanel::languageFlagClicked, this,
                     &TFormMain::ButtonLangueClick, gate);
}

void TFormMain::setClock(std::function<QDateTime()> clock) {
    m_laterPanels->setClock(std::move(clock));
}

void TFormMain::setPasswordDialog(TFormPassword* dialog) {
    m_password = dialog;
    connect(dialog, &TFormPassword::closed, this, [this] {
        setEnabled(true);
        showHomePanel();
        // Back where the operator went to the dialog from, in the window in front again.
        if (isVisible()) {
            activateWindow();
            m_megaMenu->focusCurrentEntry();
        }
    });
    connect(dialog, &TFormPassword::accepted, this, [this] { setMaintenanceMode(true); });
    connectOperation(dialog, &TFormPassword::accepted, this, &TFormMain::searchAgain, *m_gate);
    connectOperation(dialog, &TFormPassword::cancelled, this, &TFormMain::searchAgain, *m_gate);
}

void TFormMain::retranslateUi() {
    setWindowTitle(tr("VEXA-Reader"));
    m_imageWait->setAccessibleName(tr("Animation d'attente"));
    m_megaMenu->setItemTexts(
        {tr("Accueil"), tr("Lecture"), tr("Initialisation"), tr("Paramétrage"), tr("Maintenance")});
}

void TFormMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void TFormMain::keyPressEvent(QKeyEvent* event) {
    if (!pressFocusedButton(this, event))
        QWidget::keyPressEvent(event);
}

void TFormMain::setMaintenanceMode(bool on) {
    m_maintenanceMode = on;
    m_laterPanels->setMaintenanceMode(on);
}

// ---------------------------------------------------------------- start-up and shutdown

void TFormMain::FormCreate() {
    m_appDir = m_env.appDir;
    if (m_appDir.isEmpty())
        m_appDir = QDir::toNativeSeparators(QDir::currentPath());
    if (!m_appDir.endsWith(QDir::separator()))
        m_appDir += QDir::separator();
    m_settings = std::make_unique<Settings>(m_appDir);
    m_settings->load();
    m_languageRestart =
        std::make_unique<LanguageRestart>(*m_settings, m_env.startNewCopy, m_env.endProgram);
    m_currentLanguage = m_settings->language();
    if (m_env.applyStoredLanguage)
        m_env.applyStoredLanguage(m_currentLanguage);
    m_panelAccueil->setLanguageLocales(Settings::kLanguageFrench, Settings::kLanguageEnglish);
    m_settings->applyFolders(*m_dialogs);
    setFixedSize(640, 450);
    for (QWidget* panel : m_navigation->panels())
        panel->move(8, 41);
    m_busyAnimation = new BusyAnimation(m_imageWait, QStringLiteral(":/gif/IMAGELOADER"),
                                        m_navigation->panels(), this);
    m_laterPanels->setBusyAnimation(m_busyAnimation);
    m_megaMenu->setEnabled(false);
    setMaintenanceMode(false);
}

void TFormMain::FormClose() {
    m_settings->writeFoldersOf(*m_dialogs);
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (m_languageRestart->ending()) {
        event->accept();
        return;
    }
    // Closing in the middle of an exchange would abandon the operation half-way
    // (a transfer's lines not yet written): finish it first.
    if (m_gate->busy()) {
        event->ignore();
        return;
    }
    // The password dialog goes with the window, without the search its buttons would run:
    // nothing may stay on screen, or keep the program running, once the window is gone.
    if (m_password && m_password->isVisible())
        m_password->close();
    // Folders that cannot be saved are reported, but they are a convenience: a window that
    // refused to close over them could only be killed.
    try {
        FormClose();
    } catch (const std::exception& e) {
        showErrorReport(e);
    }
    event->accept();
}

// ---------------------------------------------------------------- navigation

void TFormMain::MegaMenuMenuItemClick(int ItemIndex) {
    if (m_navigation->choose(ItemIndex) == 4) {
        setEnabled(false);
        if (m_password)
            m_password->show();
    }
}

void TFormMain::showHomePanel() {
    m_navigation->showHomePanel();
}

// ---------------------------------------------------------------- instrument search

void TFormMain::ButtonConnexionClick() {
    m_timerAutoConnect->start();
}

void TFormMain::TimerAutoConnectTimer() {
    SearchRecord record;
    const OperationResult result =
        searchWithStatus(*m_exchange, *m_feedback, m_env.listPorts, &record);
    if (!result.done()) {
        m_panelAccueil->showSearchRecord(record);
        m_feedback->showInformation(outcomeMessage(result));
        m_megaMenu->setEnabled(false);
        m_panelAccueil->showConnectionPrompt(true);
        m_panelAccueil->focusConnectionButton();
    } else {
        m_panelAccueil->clearSearchRecord();
        m_feedback->showInformation(outcomeMessage(result));
        m_navigation->enableTransfer();
        m_megaMenu->setEnabled(true);
        m_panelAccueil->showConnectionPrompt(false);
        AfficheIdent();
        m_megaMenu->focusCurrentEntry();
    }
}

int TFormMain::ChercheSonde() {
    return ::ChercheSonde(*m_exchange, m_env.listPorts);
}

void TFormMain::AfficheIdent() {
    m_navigation->showIdentity();
}

// After the password dialog: the search and the identity again, without a message; the
// menu bar and the connection prompt stay as they are.
void TFormMain::searchAgain() {
    ChercheSonde();
    AfficheIdent();
}

// ---------------------------------------------------------------- language

void TFormMain::ButtonLangueClick(QObject* sender) {
    const int language = HomePanel::localeOf(sender);
    if (language == m_currentLanguage)
        return;
    m_currentLanguage = language;
    m_languageRestart->restartIn(language);
}
