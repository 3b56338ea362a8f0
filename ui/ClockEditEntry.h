#pragma once

class QEvent;

// Whether `event`, on the clock edit of the Initialisation panel, is the operator going
// into the edit, after which it stops following the computer's clock.
bool entersClockEdit(const QEvent* event);
