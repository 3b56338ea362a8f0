#include "ui/ClockEditEntry.h"

#include <QFocusEvent>
#include <QKeyEvent>

// Whether the operator goes into the clock edit: by a click or a key that moves the focus
// there, or by any click, key or input in it. The window may give the edit the focus on its
// own (coming back to the front, after a message, on showing the panel): the clock goes on
// following then, but a click in an edit that already has the focus raises no focus event,
// so the first thing the operator does in it stops the following before it is handled.
// Otherwise the next tick would overwrite the typed date, and the clock would be set to the
// computer's time. Tab leaving the edit, or a modifier held down on the way to a key of the
// window, is passing through: the clock sent would otherwise be the time of that key.
bool entersClockEdit(const QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
        return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
               reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
    }
    case QEvent::KeyPress:
        switch (static_cast<const QKeyEvent*>(event)->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
            return false;
        default:
            return true;
        }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::InputMethod:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}
