#include "ui/InitialisationPanel.h"

#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "common/RestoreGuard.h"
#include "link/CommandExchange.h"
#include "operations/ClockAndErase.h"
#include "ui/FileDialogs.h"
#include "ui/Handlers.h"
#include "ui/OperationGate.h"
#include "ui/PanelContext.h"
#include "ui/TypedTextValidator.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kClockRefreshMs = 1000;

QLineEdit* makeEdit(QWidget* parent, const char* name, int x, int y, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(x, y, width, 22);
    return edit;
}

QLabel* makeLabel(QWidget* parent, const char* name, int x, int y, int width) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, width, 17);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, int x, int y, int width) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, width, 26);
    return button;
}

// A group box whose caption is bold while its controls keep the ordinary weight.
QGroupBox* makeGroup(QWidget* parent, const char* name, const QRect& geometry) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(geometry);
    QFont bold = parent->font();
    bold.setBold(true);
    group->setFont(bold);
    return group;
}

void keepOrdinaryWeight(QGroupBox* group) {
    QFont normal = group->font();
    normal.setBold(false);
    for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->setFont(normal);
}

// Whether the operator goes into the clock edit: by a click or a key that moves the focus
// there, or by any click, key or input in it. The window may give the edit the focus on its
// own (coming back to the front, after a message): the clock goes on following then, but a
// click in an edit that already has the focus raises no focus event, so the first thing the
// operator does in it stops the following before it is handled. Otherwise the next tick
// would overwrite the typed date, and the clock would be set to the computer's time.
bool entersClockEdit(const QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
        return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
               reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

InitialisationPanel::InitialisationPanel(PanelContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
    setObjectName(QStringLiteral("PanelInitialisation"));
    buildClockGroup();
    buildEraseGroup();
    buildSpecificGroup();
    retranslateUi();
}

void InitialisationPanel::buildClockGroup() {
    m_groupBoxHorloge = makeGroup(this, "GroupBoxHorloge", QRect(10, 6, 300, 100));
    m_label11 = makeLabel(m_groupBoxHorloge, "Label11", 14, 28, 270);
    m_editHorlogeInit = makeEdit(m_groupBoxHorloge, "EditHorlogeInit", 14, 54, 140);
    m_editHorlogeInit->setInputMask(clockEditMask());
    m_editHorlogeInit->setText(formatClockText(QDateTime(QDate(2000, 1, 1), QTime(0, 0))));
    m_editHorlogeInit->installEventFilter(this);
    m_buttonHorloge = makeButton(m_groupBoxHorloge, "ButtonHorloge", 166, 52, 120);
    connectHandler(m_buttonHorloge, &QPushButton::clicked, this,
                   &InitialisationPanel::ButtonHorlogeClick);
    keepOrdinaryWeight(m_groupBoxHorloge);

    m_timerHorloge = new QTimer(this);
    m_timerHorloge->setObjectName(QStringLiteral("TimerHorloge"));
    m_timerHorloge->setInterval(kClockRefreshMs);
    connect(m_timerHorloge, &QTimer::timeout, this, [this] { TimerHorlogeTimer(); });
}

void InitialisationPanel::buildEraseGroup() {
    m_groupBoxEffacement = makeGroup(this, "GroupBoxEffacement", QRect(320, 6, 300, 100));
    m_label2 = makeLabel(m_groupBoxEffacement, "Label2", 14, 22, 276);
    m_label2->setWordWrap(true);
    m_label2->resize(276, 32);
    m_buttonEffacer = makeButton(m_groupBoxEffacement, "ButtonEffacer", 14, 62, 100);
    connectHandler(m_buttonEffacer, &QPushButton::clicked, this,
                   &InitialisationPanel::ButtonEffacerClick);
    keepOrdinaryWeight(m_groupBoxEffacement);
}

void InitialisationPanel::buildSpecificGroup() {
    m_groupBoxHeader = makeGroup(this, "GroupBoxHeader", QRect(10, 114, 610, 250));
    QWidget* g = m_groupBoxHeader;
    m_label3 = makeLabel(g, "Label3", 16, 34, 150);
    m_editParamKserie = makeEdit(g, "EditParamKserie", 170, 31, 170);
    m_label5 = makeLabel(g, "Label5", 16, 70, 150);
    m_editParamKscint = makeEdit(g, "EditParamKscint", 170, 67, 170);
    m_label6 = makeLabel(g, "Label6", 16, 106, 150);
    m_editParamKhtval = makeEdit(g, "EditParamKhtval", 170, 103, 60);
    m_label7 = makeLabel(g, "Label7", 16, 142, 150);
    m_editParamKcontr = makeEdit(g, "EditParamKcontr", 170, 139, 60);
    m_label12 = makeLabel(g, "Label12", 16, 178, 150);
    m_editParamKMaint = new QCheckBox(g);
    m_editParamKMaint->setObjectName(QStringLiteral("EditParamKMaint"));
    m_editParamKMaint->setGeometry(170, 176, 20, 20);

    for (QLineEdit* edit : {m_editParamKserie, m_editParamKscint})
        edit->setValidator(new TypedTextValidator(edit, kSpecificTypedTextLimit));
    for (QLineEdit* edit : {m_editParamKhtval, m_editParamKcontr}) {
        // The length limit also cuts a longer text the program puts in.
        edit->setMaxLength(kSpecificNumberLength);
        edit->setValidator(newDigitsValidator(edit));
        edit->installEventFilter(this);
    }
    setSpecificParameters(kInitialSpecificFields);

    m_buttonLireHeader = makeButton(g, "ButtonLireHeader", 400, 29, 180);
    m_buttonEcrireHeader = makeButton(g, "ButtonEcrireHeader", 400, 65, 180);
    m_buttonLoadHeader = makeButton(g, "ButtonLoadHeader", 400, 137, 180);
    m_buttonSaveHeader = makeButton(g, "ButtonSaveHeader", 400, 173, 180);
    connectHandler(m_buttonLireHeader, &QPushButton::clicked, this,
                   &InitialisationPanel::ButtonLireHeaderClick);
    connectHandler(m_buttonEcrireHeader, &QPushButton::clicked, this,
                   &InitialisationPanel::ButtonEcrireHeaderClick);
    connectHandler(m_buttonLoadHeader, &QPushButton::clicked, this,
                   &InitialisationPanel::ButtonLoadHeaderClick);
    connectHandler(m_buttonSaveHeader, &QPushButton::clicked, this,
                   &InitialisationPanel::ButtonSaveHeaderClick);
    keepOrdinaryWeight(m_groupBoxHeader);
    m_groupBoxHeader->hide();
}

void InitialisationPanel::retranslateUi() {
    m_groupBoxHorloge->setTitle(tr(" Horloge "));
    m_label11->setText(tr("Régler la date et l'heure :"));
    m_buttonHorloge->setText(tr("Régler l'horloge"));
    m_groupBoxEffacement->setTitle(tr(" Mémoire "));
    m_label2->setText(tr("Effacer les mesures stockées dans la mémoire de l'instrument :"));
    m_buttonEffacer->setText(tr("Effacer"));
    m_groupBoxHeader->setTitle(tr(" Paramètres spécifiques "));
    m_label3->setText(tr("Numéro d'instrument"));
    m_label5->setText(tr("PM/Scintillateur"));
    m_label6->setText(tr("Réglage HT (Volts)"));
    m_label7->setText(tr("Contraste (0-1023)"));
    m_label12->setText(tr("Maintenance"));
    m_buttonLireHeader->setText(tr("Lire Instrument"));
    m_buttonEcrireHeader->setText(tr("Ecrire Instrument"));
    m_buttonLoadHeader->setText(tr("Charger Fichier"));
    m_buttonSaveHeader->setText(tr("Enregistrer Fichier"));
}

void InitialisationPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

bool InitialisationPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editHorlogeInit && entersClockEdit(event))
        EditHorlogeInitEnter();
    else if ((watched == m_editParamKhtval || watched == m_editParamKcontr) &&
             event->type() == QEvent::FocusOut) {
        Q_EMIT specificNumberLeft();
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- clock and memory

void InitialisationPanel::EntryStep() {
    m_editHorlogeInit->setText(formatClockText(m_clock()));
    m_timerHorloge->start();
    m_suiviHorloge = true;

    m_groupBoxHeader->hide();
    switch (LectureHeader()) {
    case kSpecificRead:
        if (m_maintenanceMode)
            m_groupBoxHeader->show();
        break;
    case kSpecificNoAnswer:
        m_context.feedback.ShowInformation(msg(MsgId::NoAnswer));
        break;
    case kSpecificTimedOut:
        m_context.feedback.ShowInformation(msg(MsgId::CommError));
        break;
    default:
        // An error number from the instrument: the group stays hidden, nothing is said.
        break;
    }
}

void InitialisationPanel::hideEvent(QHideEvent* event) {
    // Nobody sees the clock edit while the panel is hidden, and the panel is shown again only
    // by its menu entry, whose step starts the clock afresh: the program sleeps meanwhile.
    m_timerHorloge->stop();
    QWidget::hideEvent(event);
}

void InitialisationPanel::EditHorlogeInitEnter() {
    m_suiviHorloge = false;
}

void InitialisationPanel::TimerHorlogeTimer() {
    if (m_suiviHorloge)
        m_editHorlogeInit->setText(formatClockText(m_clock()));
}

QString InitialisationPanel::clockEditText() const {
    // A position not typed yet reads as a blank.
    return m_editHorlogeInit->displayText().replace(u'_', u' ');
}

void InitialisationPanel::ButtonHorlogeClick() {
    const auto entered = m_context.gate.tryEnter();
    if (!entered)
        return;
    setInstrumentClock(m_context.exchange, m_context.feedback, [this] { return clockEditText(); });
}

void InitialisationPanel::ButtonEffacerClick() {
    const auto entered = m_context.gate.tryEnter();
    if (!entered)
        return;
    // The buttons stay disabled and the pointer busy while the outcome is on screen, and
    // come back once the operation has closed the port.
    RestoreGuard restore;
    holdWhileErasing(restore);
    eraseInstrumentMemory(m_context.exchange, m_context.feedback);
}

void InitialisationPanel::holdWhileErasing(RestoreGuard& restore) {
    const QList<QWidget*> pointerOver = {m_buttonEffacer, this, m_groupBoxEffacement,
                                         m_groupBoxHorloge};
    for (QWidget* w : pointerOver)
        w->setCursor(Qt::WaitCursor);
    // The focus must never land in the clock edit meanwhile: a disabled button hands its
    // focus on to the next control, and the window gives it to the first one when it comes
    // back from the message. Either would let the edit stop following the clock although the
    // operator never went there. The focus waits on the panel, where nothing can be typed,
    // and goes back to the button once it is enabled again.
    QPushButton* refocus = nullptr;
    for (QPushButton* b : {m_buttonHorloge, m_buttonEffacer}) {
        if (b->hasFocus()) {
            refocus = b;
            setFocus(Qt::OtherFocusReason);
        }
        b->setEnabled(false);
    }
    restore.add([this] {
        m_buttonHorloge->setEnabled(true);
        m_buttonEffacer->setEnabled(true);
    });
    restore.add([pointerOver] {
        for (QWidget* w : pointerOver)
            w->unsetCursor();
    });
    if (refocus)
        restore.add([this, refocus] {
            if (window()->focusWidget() == this)
                refocus->setFocus(Qt::OtherFocusReason);
        });
}

// ---------------------------------------------------------------- specific parameters

SpecificParameters InitialisationPanel::specificParameters() const {
    return {m_editParamKserie->text(), m_editParamKscint->text(), m_editParamKhtval->text(),
            m_editParamKcontr->text(), m_editParamKMaint->isChecked()};
}

void InitialisationPanel::setSpecificParameters(const SpecificParameters& values) {
    TypedTextValidator::setProgramText(m_editParamKserie, values.serialNumber);
    TypedTextValidator::setProgramText(m_editParamKscint, values.pmReference);
    m_editParamKhtval->setText(values.highVoltage);
    m_editParamKcontr->setText(values.contrast);
    m_editParamKMaint->setChecked(values.maintenance);
}

int InitialisationPanel::LectureHeader() {
    const SpecificReading reading = ::LectureHeader(m_context.exchange);
    if (reading.values)
        setSpecificParameters(*reading.values);
    return reading.result;
}

void InitialisationPanel::ButtonLireHeaderClick() {
    const auto entered = m_context.gate.tryEnter();
    if (!entered)
        return;
    const int result = LectureHeader();
    MsgId message = MsgId::UnknownCommand;
    if (result == kSpecificRead)
        message = MsgId::ReadDone;
    else if (result == kSpecificNoAnswer)
        message = MsgId::NoAnswer;
    else if (result == kSpecificTimedOut)
        message = MsgId::CommError;
    m_context.feedback.ShowInformation(msg(message));
}

void InitialisationPanel::ButtonEcrireHeaderClick() {
    const auto entered = m_context.gate.tryEnter();
    if (!entered)
        return;
    writeSpecificParameters(m_context.exchange, m_context.feedback, specificParameters());
}

void InitialisationPanel::ButtonLoadHeaderClick() {
    const auto entered = m_context.gate.tryEnter();
    if (!entered)
        return;
    const auto chosen = m_context.dialogs.execute(DialogKind::OpenSpecific);
    if (!chosen)
        return;
    const auto values = loadSpecificParameterFile(*chosen);
    if (!values) {
        m_context.feedback.ShowInformation(msg(MsgId::InvalidFile));
        return;
    }
    // What the instrument would receive must be what the fields show.
    if (const auto c = firstUnsendableCharacter(*values)) {
        m_context.feedback.ShowInformation(msg(MsgId::UnsendableCharacter).arg(*c));
        return;
    }
    // The maintenance box is the instrument's business, never a file's.
    SpecificParameters fields = *values;
    fields.maintenance = m_editParamKMaint->isChecked();
    setSpecificParameters(fields);
}

void InitialisationPanel::ButtonSaveHeaderClick() {
    const auto entered = m_context.gate.tryEnter();
    if (!entered)
        return;
    const auto chosen = m_context.dialogs.execute(DialogKind::SaveSpecific);
    if (!chosen)
        return;
    saveSpecificParameterFile(*chosen, specificParameters());
    m_context.feedback.ShowInformation(kFileSavedMessage);
}
