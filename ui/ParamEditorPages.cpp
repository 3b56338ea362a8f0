#include "ui/ParamEditorPanel.h"

#include "ui/Handlers.h"
#include "ui/ParamEditorWidgets.h"
#include "ui/TypedTextValidator.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
#include <vector>

// The editor's construction: the pages, their controls and texts.
namespace {

using PC = ParamControl;

// clang-format off
const char* const kPageTexts[5] = {
    QT_TRANSLATE_NOOP("ParamEditorPanel", " Identification "),
    QT_TRANSLATE_NOOP("ParamEditorPanel", " Mesure Gamma "),
    QT_TRANSLATE_NOOP("ParamEditorPanel", " Alarmes "),
    QT_TRANSLATE_NOOP("ParamEditorPanel", " Batterie "),
    QT_TRANSLATE_NOOP("ParamEditorPanel", " Divers"),
};

// The choices of the lists, in the order of their codes.
const std::array<const char*, 3> kLanguageChoices = {
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Francais"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Anglais (date au format jj/mm/aaaa)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Anglais (date au format mm/jj/aaaa)"),
};
const std::array<const char*, 3> kModeChoices = {
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Mesure Gamma uniquement"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Mesure Gamma + mémorisation"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Mesure Gamma + mémorisation + GPS"),
};
const std::array<const char*, 2> kAlarmChoices = {
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Pas d'alarme"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Alarme avec seuil fixe"),
};
// clang-format on

// The controls of each page, top to bottom.
const std::vector<PC> kPages[5] = {
    {PC::PDate, PC::Popcom, PC::PLangue},
    {PC::Rmodef, PC::Rdmesu, PC::Gintaf, PC::Rtrack, PC::Rmoyg1, PC::Rmoyg2},
    {PC::Ralarm, PC::Ralsfc, PC::Ralsfmax, PC::Ralsfmin, PC::Ralard},
    {PC::Garret, PC::Gbatpl, PC::Gbatvi, PC::Gbatar, PC::Geclsh, PC::Geclsb},
    {PC::Gfbeep, PC::Gsci0t, PC::Gcoefs},
};
// Pages that carry the "(*)" note, and whether it is shown there.
constexpr int kMesurePage = 1, kAlarmesPage = 2, kDiversPage = 4;

constexpr int kLabelLeft = 16;
constexpr int kFieldLeft = 330;
constexpr int kFirstRowTop = 14;
constexpr int kRowPitch = 30;
constexpr int kRowHeight = 22;
constexpr int kNoteTop = 195;

int fieldWidth(PC c) {
    switch (c) {
    case PC::Popcom:
        return 180;
    case PC::PDate:
        return 150;
    case PC::PLangue:
    case PC::Rmodef:
    case PC::Ralarm:
        return 240;
    default:
        return 70;
    }
}

template <std::size_t N>
void fillChoices(QComboBox* box, const std::array<const char*, N>& choices) {
    const int current = box->currentIndex();
    const bool first = box->count() == 0;
    int i = 0;
    for (const char* text : choices) {
        const QString shown = QCoreApplication::translate("ParamEditorPanel", text);
        if (first)
            box->addItem(shown);
        else
            box->setItemText(i, shown);
        ++i;
    }
    box->setCurrentIndex(first ? 0 : current);
}

} // namespace

ParamEditorPanel::ParamEditorPanel(PanelContext& context, std::function<QString()> currentFile,
                                   QWidget* parent)
    : QWidget(parent), m_context(context), m_currentFile(std::move(currentFile)) {
    setObjectName(QStringLiteral("PanelParametres"));
    resize(kWidth, kHeight);
    setAutoFillBackground(true);

    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    m_pageControl->setGeometry(3, 2, 582, 263);
    buildPages();

    m_buttonAnnuler = new QPushButton(this);
    m_buttonAnnuler->setObjectName(QStringLiteral("ButtonAnnuler"));
    m_buttonAnnuler->setGeometry(3, 292, 139, 40);
    connectHandler(m_buttonAnnuler, &QPushButton::clicked, this,
                   &ParamEditorPanel::ButtonAnnulerClick);

    m_buttonEnregistrer = new QPushButton(this);
    m_buttonEnregistrer->setObjectName(QStringLiteral("ButtonEnregistrer"));
    m_buttonEnregistrer->setGeometry(585 - 139, 292, 139, 40);
    connectHandler(m_buttonEnregistrer, &QPushButton::clicked, this,
                   &ParamEditorPanel::ButtonEnregistrerClick);

    retranslateUi();
    setValues(EditorValues::initial());
    hide();
}

// ---------------------------------------------------------------- pages

void ParamEditorPanel::buildPages() {
    for (int i = 0; i < kCheckedFieldCount; ++i) {
        auto* edit = new ParamIntegerEdit;
        edit->installEventFilter(this);
        m_numbers[i] = edit;
    }
    m_popcom = new QLineEdit;
    m_popcom->setValidator(new TypedTextValidator(m_popcom, kOperatorWidth));
    m_date = new QLineEdit;
    m_date->setReadOnly(true);
    m_date->setEnabled(false);
    m_date->setMaxLength(kDateWidth);
    m_langue = new QComboBox;
    m_modef = new QComboBox;
    m_alarm = new QComboBox;

    for (int p = 0; p < 5; ++p) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet%1").arg(p + 1));
        m_pageControl->addTab(page, QString());
        int row = 0;
        for (PC c : kPages[p])
            addRow(page, row++, c, control(c));
        if (p == kMesurePage || p == kAlarmesPage || p == kDiversPage)
            addNote(page, p, p == kMesurePage);
    }
    VisibiliteParametres();
}

void ParamEditorPanel::addRow(QWidget* page, int row, ParamControl c, QWidget* field) {
    const int top = kFirstRowTop + row * kRowPitch;
    auto* caption = new QLabel(page);
    caption->setObjectName(labelObjectName(c));
    caption->setTextFormat(Qt::PlainText);
    caption->setGeometry(kLabelLeft, top, kFieldLeft - kLabelLeft - 8, kRowHeight);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_labels[index(c)] = caption;

    field->setParent(page);
    field->setObjectName(controlObjectName(c));
    field->setGeometry(kFieldLeft, top, fieldWidth(c), kRowHeight);
    caption->setBuddy(field);
}

void ParamEditorPanel::addNote(QWidget* page, int pageIndex, bool visible) {
    auto* mark = new QLabel(page);
    mark->setObjectName(QStringLiteral("LabelNoteMark%1").arg(pageIndex + 1));
    mark->setGeometry(kLabelLeft, kNoteTop, 28, kRowHeight);
    auto* text = new QLabel(page);
    text->setObjectName(QStringLiteral("LabelNoteText%1").arg(pageIndex + 1));
    text->setGeometry(kLabelLeft + 30, kNoteTop, 300, kRowHeight);
    mark->setVisible(visible);
    text->setVisible(visible);
    m_noteMarks[pageIndex] = mark;
    m_noteTexts[pageIndex] = text;
}

QList<ParamControl> ParamEditorPanel::readingOrder() {
    QList<PC> order;
    for (const std::vector<PC>& page : kPages)
        order.append(QList<PC>(page.begin(), page.end()));
    return order;
}

int ParamEditorPanel::pageOf(ParamControl c) {
    for (int p = 0; p < 5; ++p)
        if (std::find(kPages[p].begin(), kPages[p].end(), c) != kPages[p].end())
            return p;
    return 0;
}

QWidget* ParamEditorPanel::control(ParamControl c) const {
    if (isCheckedField(c))
        return m_numbers[index(c)];
    switch (c) {
    case PC::Popcom:
        return m_popcom;
    case PC::PDate:
        return m_date;
    case PC::PLangue:
        return m_langue;
    case PC::Rmodef:
        return m_modef;
    case PC::Ralarm:
        return m_alarm;
    default:
        return nullptr;
    }
}

void ParamEditorPanel::retranslateUi() {
    for (int i = 0; i < kParamControlCount; ++i)
        m_labels[i]->setText(controlCaption(static_cast<PC>(i)));
    for (int p = 0; p < 5; ++p)
        m_pageControl->setTabText(p, tr(kPageTexts[p]));
    for (int p = 0; p < 5; ++p) {
        if (!m_noteMarks[p])
            continue;
        m_noteMarks[p]->setText(tr("(*)"));
        m_noteTexts[p]->setText(tr("Réglable par pas de 10 ms"));
    }
    fillChoices(m_langue, kLanguageChoices);
    fillChoices(m_modef, kModeChoices);
    fillChoices(m_alarm, kAlarmChoices);
    m_buttonAnnuler->setText(tr("Annuler"));
    m_buttonEnregistrer->setText(tr("Enregistrer le fichier"));
}

void ParamEditorPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}
