#include "ui/TFormMain.h"

#include "common/Messages.h"
#include "link/CommandExchange.h"
#include "link/PortDiagnosis.h"
#include "link/PortReport.h"
#include "link/TComPort.h"
#include "operations/SearchWithStatus.h"
#include "ui/BusyAnimation.h"
#include "ui/ErrorReport.h"
#include "ui/FileDialogs.h"
#include "ui/Handlers.h"
#include "ui/HomePanel.h"
#include "ui/IdentityBox.h"
#include "ui/InitialisationPanel.h"
#include "ui/KeyboardNavigation.h"
#include "ui/LecturePanel.h"
#include "ui/MainWindowFeedback.h"
#include "ui/MegaMenu.h"
#include "ui/OperationGate.h"
#include "ui/PanelContext.h"
#include "ui/ParamEditorPanel.h"
#include "ui/ParametresPanel.h"
#include "ui/Settings.h"
#include "ui/TFormPassword.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
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
    m_panelLecture = new LecturePanel(*m_context, this);
    m_panelInitialisation = new InitialisationPanel(*m_context, this);
    m_panelHeader = new ParametresPanel(*m_context, this);
    for (QWidget* panel : panels()) {
        panel->setGeometry(8, 41, 630, 375);
        panel->setAutoFillBackground(true);
        panel->setPalette(palette());
        panel->hide();
    }
    m_panelAccueil->show();

    // The identification box belongs to the window and lies over the home panel's foot.
    m_groupBoxIdent = new IdentityBox(this);
    m_groupBoxIdent->raise();

    m_timerAutoConnect = new QTimer(this);
    m_timerAutoConnect->setObjectName(QStringLiteral("TimerAutoConnect"));
    m_timerAutoConnect->setInterval(10);
    m_timerAutoConnect->start();
}

// Every connection between the parts, in one place.
void TFormMain::connectParts() {
    connectHandler(m_megaMenu, &MegaMenu::MenuItemClick, this, &TFormMain::MegaMenuMenuItemClick);
    connectHandler(m_timerAutoConnect, &QTimer::timeout, this, &TFormMain::TimerAutoConnectTimer);
    connectHandler(m_panelAccueil, &HomePanel::connectionRequested, this,
                   &TFormMain::ButtonConnexionClick);
    connectHandler(m_panelAccueil, &HomePanel::languageFlagClicked, this,
                   &TFormMain::ButtonLangueClick);

    ParamEditorPanel* editor = m_panelHeader->panelParametres();
    // Leaving the HT or contrast field runs the editor's check, even with the editor closed.
    connectHandler(m_panelInitialisation, &InitialisationPanel::specificNumberLeft, editor,
                   &ParamEditorPanel::EditParamExit);
    connect(this, &TFormMain::maintenanceModeChanged, m_panelInitialisation,
            &InitialisationPanel::setMaintenanceMode);
    connect(this, &TFormMain::maintenanceModeChanged, editor,
            &ParamEditorPanel::setMaintenanceMode);
    connect(m_groupBoxIdent, &IdentityBox::softwareVersionChanged, editor,
            &ParamEditorPanel::setSoftwareVersion);
}

void TFormMain::setPasswordDialog(TFormPassword* dialog) {
    m_password = dialog;
    connect(dialog, &TFormPassword::closed, this, [this] {
        setEnabled(true);
        ShowHomePanel();
        // Back where the operator went to the dialog from, in the window in front again.
        if (isVisible()) {
            activateWindow();
            m_megaMenu->focusCurrentEntry();
        }
    });
    connectHandler(dialog, &TFormPassword::accepted, this, [this] {
        setMaintenanceMode(true);
        searchAgain();
    });
    connectHandler(dialog, &TFormPassword::cancelled, this, [this] { searchAgain(); });
}

QList<QWidget*> TFormMain::panels() const {
    return {m_panelAccueil, m_panelLecture, m_panelInitialisation, m_panelHeader};
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
    Q_EMIT maintenanceModeChanged(on);
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
    m_currentLanguage = m_settings->language();
    if (m_env.applyStoredLanguage)
        m_env.applyStoredLanguage(m_currentLanguage);
    m_panelAccueil->setLanguageLocales(Settings::kLanguageFrench, Settings::kLanguageEnglish);
    for (int i = 0; i < kDialogCount; ++i) {
        const auto kind = static_cast<DialogKind>(i);
        m_dialogs->setInitialDir(kind, m_settings->folder(kind));
    }
    setFixedSize(640, 450);
    for (QWidget* panel : panels())
        panel->move(8, 41);
    m_movie = new QMovie(QStringLiteral(":/gif/IMAGELOADER"), QByteArray(), this);
    m_busyAnimation = new BusyAnimation(
        m_imageWait, m_movie,
        {m_panelAccueil, m_panelLecture, m_panelInitialisation, m_panelHeader}, this);
    m_megaMenu->setEnabled(false);
    setMaintenanceMode(false);
}

void TFormMain::FormClose() {
    std::array<QString, kDialogCount> fileNames;
    for (int i = 0; i < kDialogCount; ++i)
        fileNames[i] = m_dialogs->fileName(static_cast<DialogKind>(i));
    m_settings->writeFolders(fileNames);
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (m_endingForLanguage) {
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
    const auto entered = m_gate->tryEnter();
    if (!entered)
        return;
    for (QWidget* panel : panels())
        panel->hide();
    m_groupBoxIdent->hide();
    if (ItemIndex < 4) {
        checkPresence(*m_exchange, [&](int answered) {
            if (answered != 0) {
                ItemIndex = 0;
                m_panelAccueil->showConnectionPrompt(true);
                m_feedback->ShowInformation(msg(MsgId::NoAnswer));
            } else if (ItemIndex == 0) {
                AfficheIdent();
            }
        });
    }
    for (int i = 0; i < 4; ++i)
        panels().at(i)->setVisible(ItemIndex == i);
    switch (ItemIndex) {
    case 1:
        m_panelLecture->EntryStep();
        break;
    case 2:
        m_panelInitialisation->EntryStep();
        break;
    case 3:
        m_panelHeader->EntryStep();
        break;
    case 4:
        setEnabled(false);
        if (m_password)
            m_password->show();
        break;
    default:
        break;
    }
    // Given by the window, not entered by the operator: the clock edit goes on following.
    if (ItemIndex < 4)
        focusFirstControl(panels().at(ItemIndex));
}

void TFormMain::ShowHomePanel() {
    m_panelLecture->hide();
    m_panelInitialisation->hide();
    m_panelHeader->hide();
    m_panelAccueil->show();
}

// ---------------------------------------------------------------- instrument search

void TFormMain::ButtonConnexionClick() {
    if (m_gate->busy())
        return; // a search is already running
    m_timerAutoConnect->start();
}

void TFormMain::TimerAutoConnectTimer() {
    m_timerAutoConnect->stop();
    const auto entered = m_gate->tryEnter();
    if (!entered)
        return;
    SearchRecord record;
    if (searchWithStatus(*m_exchange, *m_feedback, m_env.listPorts, &record) == -1) {
        m_panelAccueil->showSearchRecord(record);
        m_feedback->ShowInformation(msg(MsgId::NotDetected));
        m_megaMenu->setEnabled(false);
        m_panelAccueil->showConnectionPrompt(true);
        m_panelAccueil->focusConnexion();
    } else {
        m_panelAccueil->clearSearchRecord();
        m_feedback->ShowInformation(msg(MsgId::DetectedOn).arg(answeredPortName(record)));
        m_panelLecture->EnableTransfer();
        m_megaMenu->setEnabled(true);
        m_panelAccueil->showConnectionPrompt(false);
        AfficheIdent();
        m_megaMenu->focusCurrentEntry();
    }
}

// The port that answered as the operator knows it: the name they listed (a link they made,
// a /dev/serial/by-id path), then the device and the adapter.
QString TFormMain::answeredPortName(const SearchRecord& record) const {
    for (const PortAttempt& attempt : record.ports)
        if (attempt.outcome == PortOutcome::Answered)
            return portDisplayName(attempt);
    return portDisplayName(m_port->Port());
}

int TFormMain::ChercheSonde() {
    return ::ChercheSonde(*m_exchange, m_env.listPorts);
}

void TFormMain::AfficheIdent() {
    m_groupBoxIdent->showIdentity(InstrumentIdentity::fromReply(m_exchange->ReplyBuffer));
}

// After the password dialog: the search and the identity again, without a message; the
// menu bar and the connection prompt stay as they are.
void TFormMain::searchAgain() {
    const auto entered = m_gate->tryEnter();
    if (!entered)
        return;
    ChercheSonde();
    AfficheIdent();
}

// ---------------------------------------------------------------- language

void TFormMain::ButtonLangueClick(QObject* sender) {
    // Ending the program inside a wait would leave that wait with no event loop to end it.
    if (m_gate->busy())
        return;
    const int language = HomePanel::localeOf(sender);
    if (language == m_currentLanguage)
        return;
    m_currentLanguage = language;
    m_settings->writeLanguage(m_currentLanguage);
    if (m_env.startNewCopy)
        m_env.startNewCopy();
    // End without saving the folders: the new copy starts from the previous close's.
    m_endingForLanguage = true;
    if (m_env.endProgram)
        m_env.endProgram();
    else
        QCoreApplication::quit();
}
