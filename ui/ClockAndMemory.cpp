#include "ui/ClockAndMemory.h"

#include "common/RestoreGuard.h"
#include "operations/ClockAndErase.h"
#include "ui/ClockEditEntry.h"
#include "ui/Handlers.h"
#include "ui/PanelContext.h"
#include "ui/PanelControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kClockRefreshMs = 1000;

} // namespace

ClockAndMemory::ClockAndMemory(PanelContext& context, QWidget* panel)
    : QObject(panel), m_context(context), m_panel(panel) {
    m_groupBoxHorloge = makeGroup(panel, "GroupBoxHorloge", QRect(10, 6, 300, 100));
    m_label11 = makeLabel(m_groupBoxHorloge, "Label11", 14, 28, 270);
    m_editHorlogeInit = makeEdit(m_groupBoxHorloge, "EditHorlogeInit", 14, 54, 140);
    m_editHorlogeInit->setInputMask(clockEditMask());
    m_editHorlogeInit->setText(formatClockText(QDateTime(QDate(2000, 1, 1), QTime(0, 0))));
    m_editHorlogeInit->installEventFilter(this);
    m_buttonHorloge = makeButton(m_groupBoxHorloge, "ButtonHorloge", 166, 52, 120);
    connectOperation(m_buttonHorloge, &QPushButton::clicked, this,
                     &ClockAndMemory::ButtonHorlogeClick, m_context.gate);
    keepOrdinaryWeight(m_groupBoxHorloge);
    // Named after the caption beside it, for a screen reader.
    m_label11->setBuddy(m_editHorlogeInit);

    m_timerHorloge = new QTimer(panel);
    m_timerHorloge->setObjectName(QStringLiteral("TimerHorloge"));
    m_timerHorloge->setInterval(kClockRefreshMs);
    connect(m_timerHorloge, &QTimer::timeout, this, &ClockAndMemory::TimerHorlogeTimer);

    m_groupBoxEffacement = makeGroup(panel, "GroupBoxEffacement", QRect(320, 6, 300, 100));
    m_label2 = makeLabel(m_groupBoxEffacement, "Label2", 14, 22, 276);
    m_label2->setWordWrap(true);
    m_label2->resize(276, 32);
    m_buttonEffacer = makeButton(m_groupBoxEffacement, "ButtonEffacer", 14, 62, 100);
    connectOperation(m_buttonEffacer, &QPushButton::clicked, this,
                     &ClockAndMemory::ButtonEffacerClick, m_context.gate);
    keepOrdinaryWeight(m_groupBoxEffacement);
}

void ClockAndMemory::retranslateUi() {
    m_groupBoxHorloge->setTitle(tr(" Horloge "));
    m_label11->setText(tr("Régler la date et l'heure :"));
    m_buttonHorloge->setText(tr("Régler l'horloge"));
    m_groupBoxEffacement->setTitle(tr(" Mémoire "));
    m_label2->setText(tr("Effacer les mesures stockées dans la mémoire de l'instrument :"));
    m_buttonEffacer->setText(tr("Effacer"));
    // Read out without the blanks that set the captions off from the frames.
    for (QGroupBox* group : {m_groupBoxHorloge, m_groupBoxEffacement})
        group->setAccessibleName(group->title().trimmed());
}

bool ClockAndMemory::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editHorlogeInit && entersClockEdit(event))
        EditHorlogeInitEnter();
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------- the clock

void ClockAndMemory::followComputerClock() {
    showComputerClock();
    m_timerHorloge->start();
    m_suiviHorloge = true;
}

void ClockAndMemory::stopRefreshing() {
    m_timerHorloge->stop();
}

void ClockAndMemory::EditHorlogeInitEnter() {
    m_suiviHorloge = false;
}

void ClockAndMemory::TimerHorlogeTimer() {
    if (m_suiviHorloge)
        showComputerClock();
}

void ClockAndMemory::showComputerClock() {
    m_editHorlogeInit->setText(formatClockText(m_clock()));
    // Where the first digit typed goes when the window gave the edit the keyboard: a
    // click or Tab puts the cursor where the operator wants it.
    m_editHorlogeInit->setCursorPosition(0);
}

QString ClockAndMemory::clockEditText() const {
    // A position not typed yet reads as a blank.
    return m_editHorlogeInit->displayText().replace(u'_', u' ');
}

void ClockAndMemory::ButtonHorlogeClick() {
    setInstrumentClock(m_context.exchange, m_context.feedback, [this] { return clockEditText(); });
}

// ---------------------------------------------------------------- the memory

void ClockAndMemory::ButtonEffacerClick() {
    // The buttons stay disabled and the pointer busy while the outcome is on screen, and
    // come back once the operation has closed the port.
    RestoreGuard restore;
    holdWhileErasing(restore);
    eraseInstrumentMemory(m_context.exchange, m_context.feedback);
}

void ClockAndMemory::holdWhileErasing(RestoreGuard& restore) {
    const QList<QWidget*> pointerOver = {m_buttonEffacer, m_panel, m_groupBoxEffacement,
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
            m_panel->setFocus(Qt::OtherFocusReason);
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
            if (m_panel->window()->focusWidget() == m_panel)
                refocus->setFocus(Qt::OtherFocusReason);
        });
}
