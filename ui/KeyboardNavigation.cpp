#include "ui/KeyboardNavigation.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace {

// A control Tab stops at: shown, usable, taking the focus by Tab, and not handing it on
// to another widget (a tab page control hands it to its tab bar, which is a stop itself).
bool isTabStop(const QWidget* w) {
    return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
           !w->focusProxy();
}

} // namespace

bool pressFocusedButton(QWidget* window, QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (!enter || modifiers != Qt::NoModifier)
        return false;
    auto* button = qobject_cast<QPushButton*>(window->focusWidget());
    if (!button || !button->isVisible() || !button->isEnabled())
        return false;
    if (!event->isAutoRepeat())
        button->click();
    return true;
}

QWidget* firstTabStop(QWidget* scope) {
    // The window's tab order is one ring; walk it once from the scope itself.
    for (QWidget* w = scope->nextInFocusChain(); w != scope; w = w->nextInFocusChain())
        if (scope->isAncestorOf(w) && isTabStop(w))
            return w;
    return nullptr;
}

void focusFirstControl(QWidget* scope) {
    if (QWidget* first = firstTabStop(scope))
        first->setFocus(Qt::OtherFocusReason);
}

bool focusNextInside(QWidget* scope, bool next) {
    QWidget* start = scope->window()->focusWidget();
    if (!start || !scope->isAncestorOf(start))
        return false;
    QWidget* w = start;
    do {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (scope->isAncestorOf(w) && isTabStop(w)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (w != start);
    return true; // the only stop: the focus stays
}
