#include "ui/HomePanel.h"

#include "link/PortDiagnosis.h"
#include "ui/SearchDetailsView.h"
#include "ui/Theme.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace {

const char* const kLocaleProperty = "localeId";
const QString kMakerUrl = QStringLiteral("https://www.norvane.example/");

QLabel* makeLabel(QWidget* parent, int x, int y, int width, int height, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(x, y, width, height);
    return label;
}

} // namespace

HomePanel::HomePanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PanelAccueil"));
    m_image3 = makeLabel(this, 20, 14, 101, 116, "Image3");
    m_image3->setScaledContents(true);
    m_image3->setPixmap(QPixmap(QStringLiteral(":/images/logo.png")));

    const QString titleColour = QStringLiteral("color: %1;").arg(theme::css(theme::title()));
    m_title = makeLabel(this, 175, 60, 280, 28, "AdvSmoothLabel1");
    QFont big = font();
    big.setPixelSize(21);
    big.setBold(true);
    m_title->setFont(big);
    m_title->setStyleSheet(titleColour);

    m_version = makeLabel(this, 175, 85, 280, 28, "AdvSmoothLabel2");
    QFont mid = font();
    mid.setPixelSize(13);
    m_version->setFont(mid);

    m_lienNorvane = makeLabel(this, 175, 106, 280, 28, "LienNorvane");
    m_lienNorvane->setCursor(Qt::PointingHandCursor);
    m_lienNorvane->setStyleSheet(titleColour + QStringLiteral(" text-decoration: underline;"));
    m_lienNorvane->installEventFilter(this);

    m_langueCaption = makeLabel(this, 392, 1, 147, 28, "AdvSmoothLabel3");
    m_langueCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto makeFlag = [this](int x, const char* name, const char* image) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(x, 4, 33, 21);
        button->setIcon(QIcon(QString::fromLatin1(image)));
        button->setIconSize(QSize(31, 19));
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QPushButton::clicked, this,
                [this, button] { Q_EMIT languageFlagClicked(button); });
        return button;
    };
    m_buttonLangueFr = makeFlag(545, "ButtonLangueFr", ":/images/flag_fr.png");
    m_buttonLangueEn = makeFlag(584, "ButtonLangueEn", ":/images/flag_en.png");

    buildPrompt();
    retranslateUi();
}

void HomePanel::buildPrompt() {
    m_panelInfoConnexion = new QWidget(this);
    m_panelInfoConnexion->setObjectName(QStringLiteral("PanelInfoConnexion"));
    m_panelInfoConnexion->setGeometry(20, 240, 591, 114);
    m_panelInfoConnexion->setAttribute(Qt::WA_StyledBackground);
    m_panelInfoConnexion->setStyleSheet(theme::roundedPanelCss(m_panelInfoConnexion->objectName()));
    m_infoConnexionText = makeLabel(m_panelInfoConnexion, 80, 22, 380, 60, "InfoConnexionText");
    m_buttonConnexion = new QPushButton(m_panelInfoConnexion);
    m_buttonConnexion->setObjectName(QStringLiteral("ButtonConnexion"));
    connect(m_buttonConnexion, &QPushButton::clicked, this, &HomePanel::connectionRequested);
    m_details = new SearchDetailsView(m_panelInfoConnexion);
    m_details->setObjectName(QStringLiteral("SearchDetails"));
    placePrompt(false);
    m_panelInfoConnexion->hide();
}

void HomePanel::placePrompt(bool withDetails) {
    // The details take the room between the maker's link and the prompt.
    constexpr int kPromptTop = 240, kDetailsHeight = 104;
    const int grown = withDetails ? kDetailsHeight : 0;
    m_panelInfoConnexion->setGeometry(20, kPromptTop - grown, 591, 114 + grown);
    m_infoConnexionText->move(80, 22 + grown);
    m_buttonConnexion->setGeometry(468, 56 + grown, 88, 26);
    m_details->setGeometry(12, 10, 567, grown - 8);
    m_details->setVisible(withDetails);
}

void HomePanel::showSearchRecord(const SearchRecord& record) {
    m_details->showRecord(record);
    placePrompt(true);
}

void HomePanel::clearSearchRecord() {
    m_details->clear();
    placePrompt(false);
}

void HomePanel::retranslateUi() {
    m_title->setText(tr("VEXA-Reader"));
    m_version->setText(tr("V1.0.1"));
    m_lienNorvane->setText(tr("www.norvane.example"));
    m_langueCaption->setText(tr("Choix de la Langue"));
    m_buttonLangueFr->setToolTip(tr("Francais"));
    m_buttonLangueEn->setToolTip(tr("English"));
    m_infoConnexionText->setText(
        tr("Connecter le Vexameter au PC\nPuis cliquer sur le bouton \"Connexion\""));
    m_buttonConnexion->setText(tr("Connexion"));
}

void HomePanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void HomePanel::setLanguageLocales(int french, int english) {
    m_buttonLangueFr->setProperty(kLocaleProperty, french);
    m_buttonLangueEn->setProperty(kLocaleProperty, english);
}

int HomePanel::localeOf(const QObject* flag) {
    return flag->property(kLocaleProperty).toInt();
}

void HomePanel::showConnectionPrompt(bool shown) {
    m_panelInfoConnexion->setVisible(shown);
}

bool HomePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lienNorvane && event->type() == QEvent::MouseButtonRelease)
        LienNorvaneClick();
    return QWidget::eventFilter(watched, event);
}

void HomePanel::LienNorvaneClick() {
    // Whatever becomes of it, nothing is reported.
    QDesktopServices::openUrl(QUrl(kMakerUrl));
}
