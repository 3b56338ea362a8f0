#include "ui/ParameterEditorPages.h"

#include "ui/ParamEditorWidgets.h"
#include "ui/TypedTextValidator.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <vector>

namespace {

using PC = ParamControl;

// clang-format off
const char* const kPageTexts[5] = {
    QT_TRANSLATE_NOOP("ParameterEditorPages", " Identification "),
    QT_TRANSLATE_NOOP("ParameterEditorPages", " Mesure Gamma "),
    QT_TRANSLATE_NOOP("ParameterEditorPages", " Alarmes "),
    QT_TRANSLATE_NOOP("ParameterEditorPages", " Batterie "),
    QT_TRANSLATE_NOOP("ParameterEditorPages", " Divers"),
};

// The choices of the lists, in the order of their codes.
const std::array<const char*, 3> kLanguageChoices = {
    QT_TRANSLATE_NOOP("ParameterEditorPages", "Francais"),
    QT_TRANSLATE_NOOP("ParameterEditorPages", "Anglais (date au format jj/mm/aaaa)"),
    QT_TRANSLATE_NOOP("ParameterEditorPages", "Anglais (date au format mm/jj/aaaa)"),
};
const std::array<const char*, 3> kModeChoices = {
    QT_TRANSLATE_NOOP("ParameterEditorPages", "Mesure Gamma uniquement"),
    QT_TRANSLATE_NOOP("ParameterEditorPages", "Mesure Gamma + mémorisation"),
    QT_TRANSLATE_NOOP("ParameterEditorPages", "Mesure Gamma + mémorisation + GPS"),
};
const std::array<const char*, 2> kAlarmChoices = {
    QT_TRANSLATE_NOOP("ParameterEditorPages", "Pas d'alarme"),
    QT_TRANSLATE_NOOP("ParameterEditorPages", "Alarme avec seuil fixe"),
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
constexpr int kGammaPage = 1, kAlarmPage = 2, kMiscPage = 4;

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
        const QString shown = QCoreApplication::translate("ParameterEditorPages", text);
        if (first)
            box->addItem(shown);
        else
            box->setItemText(i, shown);
        ++i;
    }
    box->setCurrentIndex(first ? 0 : current);
}

} // namespace

ParameterEditorPages::ParameterEditorPages(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("PageControl1"));
    setGeometry(3, 2, 582, 263);
    makeControls();
    for (int p = 0; p < 5; ++p) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet%1").arg(p + 1));
        addTab(page, QString());
        int row = 0;
        for (PC c : kPages[p])
            addRow(page, row++, c, control(c));
        if (p == kGammaPage || p == kAlarmPage || p == kMiscPage)
            addNote(page, p, p == kGammaPage);
    }
    retranslateUi();
}

// ---------------------------------------------------------------- pages

void ParameterEditorPages::makeControls() {
    for (int i = 0; i < kCheckedFieldCount; ++i)
        m_numbers[i] = new ParamIntegerEdit;
    m_popcom = new QLineEdit;
    m_popcom->setValidator(new TypedTextValidator(m_popcom, kOperatorWidth));
    m_date = new QLineEdit;
    m_date->setReadOnly(true);
    m_date->setEnabled(false);
    m_date->setMaxLength(kDateWidth);
    m_langue = new QComboBox;
    m_modef = new QComboBox;
    m_alarm = new QComboBox;
}

void ParameterEditorPages::addRow(QWidget* page, int row, ParamControl c, QWidget* field) {
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

void ParameterEditorPages::addNote(QWidget* page, int pageIndex, bool visible) {
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

QList<ParamControl> ParameterEditorPages::readingOrder() {
    QList<PC> order;
    for (const std::vector<PC>& page : kPages)
        order.append(QList<PC>(page.begin(), page.end()));
    return order;
}

int ParameterEditorPages::pageOf(ParamControl c) {
    for (int p = 0; p < 5; ++p)
        if (std::find(kPages[p].begin(), kPages[p].end(), c) != kPages[p].end())
            return p;
    return 0;
}

QWidget* ParameterEditorPages::control(ParamControl c) const {
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

void ParameterEditorPages::retranslateUi() {
    for (int i = 0; i < kParamControlCount; ++i)
        m_labels[i]->setText(controlCaption(static_cast<PC>(i)));
    for (int p = 0; p < 5; ++p) {
        setTabText(p, tr(kPageTexts[p]));
        // Read out without the blanks that pad the tabs.
        tabBar()->setAccessibleTabName(p, tabText(p).trimmed());
    }
    for (int p = 0; p < 5; ++p) {
        if (!m_noteMarks[p])
            continue;
        m_noteMarks[p]->setText(tr("(*)"));
        m_noteTexts[p]->setText(tr("Réglable par pas de 10 ms"));
    }
    fillChoices(m_langue, kLanguageChoices);
    fillChoices(m_modef, kModeChoices);
    fillChoices(m_alarm, kAlarmChoices);
    setAccessibleName(tr("Éditeur de paramètres"));
}

void ParameterEditorPages::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QTabWidget::changeEvent(event);
}

// ---------------------------------------------------------------- values and marks

EditorValues ParameterEditorPages::values() const {
    EditorValues v;
    for (int i = 0; i < kCheckedFieldCount; ++i)
        v.numbers[i] = m_numbers[i]->text();
    v.opcom = m_popcom->text();
    v.date = m_date->text();
    v.langue = m_langue->currentIndex();
    v.modef = m_modef->currentIndex();
    v.alarm = m_alarm->currentIndex();
    return v;
}

void ParameterEditorPages::setValues(const EditorValues& v) {
    for (int i = 0; i < kCheckedFieldCount; ++i)
        m_numbers[i]->setText(v.numbers[i]);
    TypedTextValidator::setProgramText(m_popcom, v.opcom);
    m_date->setText(v.date);
    m_langue->setCurrentIndex(v.langue);
    m_modef->setCurrentIndex(v.modef);
    m_alarm->setCurrentIndex(v.alarm);
}

bool ParameterEditorPages::isNumber(const QObject* object) const {
    return std::find(m_numbers.begin(), m_numbers.end(), object) != m_numbers.end();
}

void ParameterEditorPages::showMarks(const ParamCheck& check) {
    for (int i = 0; i < kCheckedFieldCount; ++i)
        setTextMarked(m_numbers[i], check.marked[i]);
    setTextMarked(m_popcom, check.operatorMarked);
}

void ParameterEditorPages::clearMarks() {
    for (QLineEdit* edit : m_numbers)
        setTextMarked(edit, false);
    setTextMarked(m_popcom, false);
}
