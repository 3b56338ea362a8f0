#include "ui/TFormMain.h"

#include "common/Messages.h"
#include "link/CommandExchange.h"
#include "link/TComPort.h"
#include "ui/ErrorReport.h"
#include "ui/FileDialogs.h"
#include "ui/InitialisationPanel.h"
#include "ui/LecturePanel.h"
#include "ui/MegaMenu.h"
#include "ui/MessageDialogInfo.h"
#include "ui/ParametresPanel.h"
#include "ui/SplashScreen.h"
#include "ui/TFormPassword.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace {

const QString kSection = QStringLiteral("CONFIG");
const QString kSettingsFile = QStringLiteral("VEXAReader.ini");
const char* const kLocaleProperty = "localeId";
const QString kMakerUrl = QStringLiteral("https://www.norvane.example/");

// The folder part of a file name: up to and including its last separator, or the drive
// colon of a Windows name such as "C:file.txt".
QString folderPart(const QString& fileName) {
    qsizetype cut = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    if (cut < 0 && fileName.size() >= 2 && fileName[1] == u':' && fileName[0].isLetter())
        cut = 1;
    return cut < 0 ? QString() : fileName.left(cut + 1);
}

QLabel* makeLabel(QWidget* parent, int x, int y, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->move(x, y);
    return label;
}

} // namespace

TFormMain::TFormMain(MainWindowEnvironment environment, QWidget* parent)
    : QWidget(parent), m_env(std::move(environment)) {
    setObjectName(QStringLiteral("TFormMain"));
    m_port = std::make_unique<TComPort>();
    m_exchange = std::make_unique<CommandExchange>(*m_port);
    m_dialogs = m_env.dialogs ? m_env.dialogs : std::make_shared<QtFileDialogs>(this);
    m_context = std::make_unique<AppContext>(AppContext{*m_port,
                                                        *m_exchange,
                                                        *this,
                                                        *m_dialogs,
                                                        m_gate,
                                                        [this] { return m_maintenanceMode; },
                                                        [this] { return labelLN(); },
                                                        {}});
    buildLayout();
    retranslateUi();
    FormCreate();
}

TFormMain::~TFormMain() {
    m_port->Close();
    delete m_splash;
    delete m_messageDialog;
}

void TFormMain::setPasswordDialog(TFormPassword* dialog) {
    m_password = dialog;
}

QString TFormMain::settingsPath() const {
    return m_settings.path();
}

// ---------------------------------------------------------------- layout

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
    connect(m_megaMenu, &MegaMenu::MenuItemClick, this,
            [this](int index) { guarded([&] { MegaMenuMenuItemClick(index); }); });

    auto makePanel = [this](QWidget* panel, const char* name) {
        panel->setObjectName(QString::fromLatin1(name));
        panel->setParent(this);
        panel->setGeometry(8, 41, 630, 375);
        panel->setAutoFillBackground(true);
        panel->setPalette(palette());
        panel->hide();
    };
    m_panelAccueil = new QWidget;
    makePanel(m_panelAccueil, "PanelAccueil");
    m_panelLecture = new LecturePanel(*m_context);
    makePanel(m_panelLecture, "PanelLecture");
    m_panelInitialisation = new InitialisationPanel(*m_context);
    makePanel(m_panelInitialisation, "PanelInitialisation");
    m_panelHeader = new ParametresPanel(*m_context);
    makePanel(m_panelHeader, "PanelHeader");
    m_panelAccueil->show();

    buildHomePanel();
    buildIdentBox();

    m_splash = new SplashScreen;
    m_messageDialog = new MessageDialogInfo;

    m_timerAutoConnect = new QTimer(this);
    m_timerAutoConnect->setObjectName(QStringLiteral("TimerAutoConnect"));
    m_timerAutoConnect->setInterval(10);
    connect(m_timerAutoConnect, &QTimer::timeout, this,
            [this] { guarded([&] { TimerAutoConnectTimer(); }); });
    m_timerAutoConnect->start();
}

void TFormMain::buildHomePanel() {
    QWidget* home = m_panelAccueil;
    m_image3 = makeLabel(home, 20, 14, "Image3");
    m_image3->resize(101, 116);
    m_image3->setScaledContents(true);
    m_image3->setPixmap(QPixmap(QStringLiteral(":/images/logo.png")));

    m_title = makeLabel(home, 175, 60, "AdvSmoothLabel1");
    m_title->resize(280, 28);
    QFont big = font();
    big.setPixelSize(21);
    big.setBold(true);
    m_title->setFont(big);
    m_title->setStyleSheet(QStringLiteral("color: #1F5FA8;"));

    m_version = makeLabel(home, 175, 85, "AdvSmoothLabel2");
    m_version->resize(280, 28);
    QFont mid = font();
    mid.setPixelSize(13);
    m_version->setFont(mid);

    m_lienNorvane = makeLabel(home, 175, 106, "LienNorvane");
    m_lienNorvane->resize(280, 28);
    m_lienNorvane->setCursor(Qt::PointingHandCursor);
    m_lienNorvane->setStyleSheet(QStringLiteral("color: #1F5FA8; text-decoration: underline;"));
    m_lienNorvane->installEventFilter(this);

    m_langueCaption = makeLabel(home, 392, 1, "AdvSmoothLabel3");
    m_langueCaption->resize(147, 28);
    m_langueCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto makeFlag = [&](int x, const char* name, const char* image) {
        auto* button = new QPushButton(home);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(x, 4, 33, 21);
        button->setIcon(QIcon(QString::fromLatin1(image)));
        button->setIconSize(QSize(31, 19));
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QPushButton::clicked, this,
                [this, button] { guarded([&] { ButtonLangueClick(button); }); });
        return button;
    };
    m_buttonLangueFr = makeFlag(545, "ButtonLangueFr", ":/images/flag_fr.png");
    m_buttonLangueEn = makeFlag(584, "ButtonLangueEn", ":/images/flag_en.png");

    m_panelInfoConnexion = new QWidget(home);
    m_panelInfoConnexion->setObjectName(QStringLiteral("PanelInfoConnexion"));
    m_panelInfoConnexion->setGeometry(20, 240, 591, 114);
    m_panelInfoConnexion->setAttribute(Qt::WA_StyledBackground);
    m_panelInfoConnexion->setStyleSheet(QStringLiteral(
        "#PanelInfoConnexion { border: 1px solid #2F6FC0; border-radius: 12px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #EAF3FD, stop:1 #BFDBF7); }"));
    m_infoConnexionText = makeLabel(m_panelInfoConnexion, 80, 22, "InfoConnexionText");
    m_infoConnexionText->resize(380, 60);
    m_buttonConnexion = new QPushButton(m_panelInfoConnexion);
    m_buttonConnexion->setObjectName(QStringLiteral("ButtonConnexion"));
    m_buttonConnexion->setGeometry(468, 56, 88, 26);
    connect(m_buttonConnexion, &QPushButton::clicked, this,
            [this] { guarded([&] { ButtonConnexionClick(); }); });
    m_panelInfoConnexion->hide();
}

void TFormMain::buildIdentBox() {
    m_groupBoxIdent = new QGroupBox(this);
    m_groupBoxIdent->setObjectName(QStringLiteral("GroupBoxIdent"));
    m_groupBoxIdent->setGeometry(26, 285, 583, 121);
    m_groupBoxIdent->setStyleSheet(QStringLiteral(
        "#GroupBoxIdent { border: 1px solid #9BB7D9; border-radius: 6px; margin-top: 7px;"
        " background: white; }"
        "#GroupBoxIdent::title { subcontrol-origin: margin; left: 10px; padding: 0 2px;"
        " color: #1F5FA8; font-weight: bold; }"));
    QWidget* box = m_groupBoxIdent;
    m_labelDescription = makeLabel(box, 20, 26, "LabelDescription");
    QFont bold = font();
    bold.setBold(true);
    m_labelDescription->setFont(bold);
    m_captionSN = makeLabel(box, 20, 45, "LabelCaptionSN");
    m_labelSN = makeLabel(box, 120, 45, "LabelSN");
    m_captionPN = makeLabel(box, 20, 64, "LabelCaptionPN");
    m_labelPN = makeLabel(box, 120, 64, "LabelPN");
    m_captionPM = makeLabel(box, 20, 83, "LabelCaptionPM");
    m_labelPM = makeLabel(box, 120, 83, "LabelPM");
    m_captionLN = makeLabel(box, 346, 83, "LabelCaptionLN");
    m_labelLN = makeLabel(box, 446, 83, "LabelLN");
    m_captionDN = makeLabel(box, 346, 63, "LabelCaptionDN");
    m_labelDN = makeLabel(box, 446, 64, "LabelDN");
    m_captionDN->hide();
    m_labelDN->hide();
    for (QLabel* value : {m_labelDescription, m_labelSN, m_labelPN, m_labelPM, m_labelLN}) {
        value->resize(value == m_labelDescription ? 540 : 220, 17);
        value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    m_groupBoxIdent->hide();
    m_groupBoxIdent->raise();
}

void TFormMain::retranslateUi() {
    setWindowTitle(tr("VEXA-Reader"));
    m_megaMenu->setItemTexts(
        {tr("Accueil"), tr("Lecture"), tr("Initialisation"), tr("Paramétrage"), tr("Maintenance")});
    m_title->setText(tr("VEXA-Reader"));
    m_version->setText(tr("V1.0.1"));
    m_lienNorvane->setText(tr("www.norvane.example"));
    m_langueCaption->setText(tr("Choix de la Langue"));
    m_buttonLangueFr->setToolTip(tr("Francais"));
    m_buttonLangueEn->setToolTip(tr("English"));
    m_infoConnexionText->setText(
        tr("Connecter le Vexameter au PC\nPuis cliquer sur le bouton \"Connexion\""));
    m_buttonConnexion->setText(tr("Connexion"));
    m_groupBoxIdent->setTitle(tr(" Identification de l'instrument "));
    m_captionSN->setText(tr("Numéro de série : "));
    m_captionPN->setText(tr("Référence produit :"));
    m_captionPM->setText(tr("Référence PM :"));
    m_captionLN->setText(tr("Version du logiciel : "));
    m_captionDN->setText(tr("Fichier Paramètres : "));
    for (QLabel* caption : {m_captionSN, m_captionPN, m_captionPM, m_captionLN, m_captionDN})
        caption->adjustSize();
    if (!m_identShown)
        m_labelLN->setText(tr("Version du logiciel"));
}

void TFormMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------- start-up and shutdown

void TFormMain::FormCreate() {
    m_appDir = m_env.appDir;
    if (m_appDir.isEmpty())
        m_appDir = QDir::toNativeSeparators(QDir::currentPath());
    if (!m_appDir.endsWith(QDir::separator()))
        m_appDir += QDir::separator();
    m_settings = IniFile(m_appDir + kSettingsFile);
    m_currentLanguage = ReadInteger(kSection, QStringLiteral("Language"), kLanguageEnglish);
    if (m_env.applyStoredLanguage)
        m_env.applyStoredLanguage(m_currentLanguage);
    m_buttonLangueEn->setProperty(kLocaleProperty, kLanguageEnglish);
    m_buttonLangueFr->setProperty(kLocaleProperty, kLanguageFrench);
    m_settings = IniFile(m_appDir + kSettingsFile);
    for (int i = 0; i < kDialogCount; ++i) {
        const auto kind = static_cast<DialogKind>(i);
        m_dialogs->setInitialDir(
            kind,
            ReadString(kSection, QString::fromLatin1(dialogSpec(kind).settingsKey), m_appDir));
    }
    for (int i = 0; i < kDialogCount; ++i) {
        const auto kind = static_cast<DialogKind>(i);
        if (m_dialogs->initialDir(kind).isEmpty())
            m_dialogs->setInitialDir(kind, m_appDir);
    }
    setFixedSize(640, 450);
    for (QWidget* panel :
         {m_panelAccueil, static_cast<QWidget*>(m_panelLecture),
          static_cast<QWidget*>(m_panelInitialisation), static_cast<QWidget*>(m_panelHeader)})
        panel->move(8, 41);
    m_movie = new QMovie(QStringLiteral(":/gif/IMAGELOADER"), QByteArray(), this);
    m_imageWait->setMovie(m_movie);
    m_movie->start();
    m_megaMenu->setEnabled(false);
    m_maintenanceMode = false;
}

void TFormMain::FormClose() {
    for (int i = 0; i < kDialogCount; ++i) {
        const auto kind = static_cast<DialogKind>(i);
        WriteString(kSection, QString::fromLatin1(dialogSpec(kind).settingsKey),
                    folderPart(m_dialogs->fileName(kind)));
    }
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (m_endingForLanguage) {
        event->accept();
        return;
    }
    // Closing in the middle of an exchange would abandon the operation half-way
    // (a transfer's lines not yet written): finish it first.
    if (m_gate.busy() || m_exchange->isWaiting()) {
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

qint32 TFormMain::ReadInteger(const QString& section, const QString& key, qint32 def) const {
    return m_settings.ReadInteger(section, key, def);
}

QString TFormMain::ReadString(const QString& section, const QString& key,
                              const QString& def) const {
    return m_settings.ReadString(section, key, def);
}

void TFormMain::WriteInteger(const QString& section, const QString& key, qint32 value) {
    m_settings.WriteInteger(section, key, value);
}

void TFormMain::WriteString(const QString& section, const QString& key, const QString& value) {
    m_settings.WriteString(section, key, value);
}

// ---------------------------------------------------------------- navigation

void TFormMain::MegaMenuMenuItemClick(int ItemIndex) {
    if (m_gate.busy() || m_exchange->isWaiting())
        return;
    OperationGate::Scope busy(m_gate);
    for (QWidget* w :
         {m_panelAccueil, static_cast<QWidget*>(m_panelLecture),
          static_cast<QWidget*>(m_panelInitialisation), static_cast<QWidget*>(m_panelHeader),
          static_cast<QWidget*>(m_groupBoxIdent)})
        w->hide();
    if (ItemIndex < 4) {
        m_port->Open();
        try {
            if (m_exchange->ConnectSonde() != 0) {
                ItemIndex = 0;
                m_panelInfoConnexion->show();
                ShowInformation(msg(MsgId::NoAnswer));
            } else if (ItemIndex == 0) {
                AfficheIdent();
            }
        } catch (...) {
            m_port->Close();
            throw;
        }
        m_port->Close();
    }
    m_panelAccueil->setVisible(ItemIndex == 0);
    m_panelLecture->setVisible(ItemIndex == 1);
    m_panelInitialisation->setVisible(ItemIndex == 2);
    m_panelHeader->setVisible(ItemIndex == 3);
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
}

void TFormMain::ShowHomePanel() {
    m_panelLecture->hide();
    m_panelInitialisation->hide();
    m_panelHeader->hide();
    m_panelAccueil->show();
}

// ---------------------------------------------------------------- instrument search

void TFormMain::ButtonConnexionClick() {
    if (m_gate.busy() || m_exchange->isWaiting())
        return; // a search is already running
    m_timerAutoConnect->start();
}

void TFormMain::TimerAutoConnectTimer() {
    m_timerAutoConnect->stop();
    if (m_gate.busy() || m_exchange->isWaiting())
        return;
    OperationGate::Scope busy(m_gate);
    AfficheInfo(msg(MsgId::Searching));
    ShowStatus();
    int result;
    try {
        result = ChercheSonde();
    } catch (...) {
        HideStatus();
        throw;
    }
    HideStatus();
    if (result == -1) {
        ShowInformation(msg(MsgId::NotDetected));
        m_megaMenu->setEnabled(false);
        m_panelInfoConnexion->show();
    } else {
        ShowInformation(msg(MsgId::DetectedOn).arg(m_port->Port()));
        m_panelLecture->EnableTransfer();
        m_megaMenu->setEnabled(true);
        m_panelInfoConnexion->hide();
        AfficheIdent();
    }
}

int TFormMain::ChercheSonde() {
    return ::ChercheSonde(*m_exchange, m_env.listPorts);
}

void TFormMain::AfficheIdent() {
    const InstrumentIdentity id = InstrumentIdentity::fromReply(m_exchange->ReplyBuffer);
    m_labelDescription->setText(id.description);
    m_labelPN->setText(id.productReference);
    m_labelLN->setText(id.softwareVersion);
    m_labelDN->setText(id.parameterFile);
    m_labelSN->setText(id.serialNumber);
    m_labelPM->setText(id.pmReference);
    m_identShown = true;
    m_groupBoxIdent->show();
}

InstrumentIdentity TFormMain::shownIdentity() const {
    return {m_labelDescription->text(), m_labelPN->text(), m_labelLN->text(),
            m_labelDN->text(),          m_labelSN->text(), m_labelPM->text()};
}

QString TFormMain::labelLN() const {
    return m_labelLN->text();
}

// ---------------------------------------------------------------- language and maker link

void TFormMain::ButtonLangueClick(QObject* sender) {
    // Ending the program inside a wait would leave that wait with no event loop to end it.
    if (m_gate.busy() || m_exchange->isWaiting())
        return;
    const int language = sender->property(kLocaleProperty).toInt();
    if (language == m_currentLanguage)
        return;
    m_currentLanguage = language;
    WriteInteger(kSection, QStringLiteral("Language"), m_currentLanguage);
    if (m_env.startNewCopy)
        m_env.startNewCopy();
    // End without saving the folders: the new copy starts from the previous close's.
    m_endingForLanguage = true;
    if (m_env.endProgram)
        m_env.endProgram();
    else
        QCoreApplication::quit();
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lienNorvane && event->type() == QEvent::MouseButtonRelease)
        LienNorvaneClick();
    return QWidget::eventFilter(watched, event);
}

void TFormMain::LienNorvaneClick() {
    QDesktopServices::openUrl(QUrl(kMakerUrl));
}

// ---------------------------------------------------------------- operator feedback

void TFormMain::AfficheInfo(const QString& texte) {
    m_splash->AfficheInfo(texte);
}

void TFormMain::ShowStatus() {
    m_splash->show();
    m_splash->repaint();
}

void TFormMain::HideStatus() {
    m_splash->hide();
}

void TFormMain::ShowInformation(const QString& message) {
    m_messageDialog->ShowMessage(message);
}

void TFormMain::SetMainWindowEnabled(bool enabled) {
    setEnabled(enabled);
}

bool TFormMain::AskQuestion(const QString& question) {
    return m_messageDialog->AskQuestion(question);
}
