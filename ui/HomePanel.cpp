#include "ui/HomePanel.h"

#include "link/PortDiagnosis.h"
#include "ui/Pictures.h"
#include "ui/SearchDetailsView.h"
#include "ui/Theme.h"

#include <QDesktopServices>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

namespace {

const char* const kLocaleProperty = "localeId";
const QString kMakerUrl = QStringLiteral("https://www.norvane.example/");

// The maker's link, which Tab reaches and Enter or Space opens, like a link of a web page.
// A label that takes the focus draws its text as a document, a pixel higher than the other
// labels; this one draws it as they do, on a light-blue ground while it has the focus.
class LinkLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const auto align = QStyle::visualAlignment(layoutDirection(), alignment());
        if (hasFocus()) {
            const QRect words = style()->itemTextRect(fontMetrics(), contentsRect(), int(align),
                                                      isEnabled(), text());
            painter.fillRect(words.adjusted(-3, -2, 3, 2), theme::gradientBottom());
        }
        style()->drawItemText(&painter, contentsRect(), int(align), palette(), isEnabled(), text(),
                              foregroundRole());
    }
};

template <class Label = QLabel>
QLabel* makeLabel(QWidget* parent, int x, int y, int width, int height, const char* name) {
    auto* label = new Label(parent);
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
    m_image3->setPixmap(resourcePicture(QStringLiteral(":/images/logo.png"), devicePixelRatio()));

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

    m_lienNorvane = makeLabel<LinkLabel>(this, 175, 106, 280, 28, "LienNorvane");
    m_lienNorvane->setCursor(Qt::PointingHandCursor);
    m_lienNorvane->setFocusPolicy(Qt::TabFocus);
    m_lienNorvane->setStyleSheet(titleColour + QStringLiteral(" text-decoration: underline;"));
    m_lienNorvane->installEventFilter(this);

    m_languageCaption = makeLabel(this, 392, 1, 147, 28, "AdvSmoothLabel3");
    m_languageCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

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
    QWidget::setTabOrder(m_lienNorvane, m_details);
    QWidget::setTabOrder(m_details, m_buttonConnexion);
    QWidget::setTabOrder(m_buttonConnexion, m_buttonLangueFr);
    QWidget::setTabOrder(m_buttonLangueFr, m_buttonLangueEn);
    retranslateUi();
}

void HomePanel::buildPrompt() {
    m_panelInfoConnexion = new QWidget(this);
    m_panelInfoConnexion->setObjectName(QStringLiteral("PanelInfoConnexion"));
    m_panelInfoConnexion->setGeometry(20, 240, 591, 114);
    m_panelInfoConnexion->setAttribute(Qt::WA_StyledBackground);
    m_panelInfoConnexion->setStyleSheet(theme::roundedPanelCss(m_panelInfoConnexion->objectName()));
    m_connectionPromptText = makeLabel(m_panelInfoConnexion, 80, 22, 380, 60, "InfoConnexionText");
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
    m_connectionPromptText->move(80, 22 + grown);
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
    m_languageCaption->setText(tr("Choix de la Langue"));
    m_buttonLangueFr->setToolTip(tr("Francais"));
    m_buttonLangueEn->setToolTip(tr("English"));
    // Each language by its own name, so that it can be found whatever the language in use.
    m_buttonLangueFr->setAccessibleName(tr("Français"));
    m_buttonLangueEn->setAccessibleName(tr("English"));
    m_image3->setAccessibleName(tr("Logo Norvane"));
    m_lienNorvane->setAccessibleDescription(tr("Ouvre la page web du fabricant"));
    m_details->setAccessibleName(tr("Détails de la recherche"));
    m_connectionPromptText->setText(
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
    Q_EMIT connectionPromptShown(shown);
}

void HomePanel::focusConnectionButton() {
    m_buttonConnexion->setFocus(Qt::OtherFocusReason);
}

bool HomePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lienNorvane) {
        if (event->type() == QEvent::MouseButtonRelease) {
            LienNorvaneClick();
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool opens = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                               key->key() == Qt::Key_Space;
            if (opens && !key->isAutoRepeat() &&
                (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                LienNorvaneClick();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HomePanel::LienNorvaneClick() {
    // Whatever becomes of it, nothing is reported.
    QDesktopServices::openUrl(QUrl(kMakerUrl));
}
