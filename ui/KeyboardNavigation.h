#pragma once

class QKeyEvent;
class QWidget;

// How the keyboard moves through the program's windows, beyond what the toolkit does by
// itself: Enter presses the focused button, a part of a window can hold the Tab key
// within itself, and a part that appears hands the focus to its first control.

// Enter (or Return) on a focused push button of `window` presses it, as an operator used to
// other desktop programs expects; the toolkit only does so inside dialogs. True when the
// key was used. A held key does not press again: each press may start an operation.
bool pressFocusedButton(QWidget* window, QKeyEvent* event);

// The first control inside `scope` that Tab would reach, in the window's tab order.
QWidget* firstTabStop(QWidget* scope);

// Gives the focus to the first control of `scope`, as the program's own move (not the
// operator's): a control that reacts to being entered by the operator does not react.
void focusFirstControl(QWidget* scope);

// Moves the focus to the next (or previous) control of `scope`, going round within it;
// for a part that covers others, whose Tab must not wander under it. False when the
// focus is not inside `scope`.
bool focusNextInside(QWidget* scope, bool next);
