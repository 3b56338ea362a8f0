#pragma once

#include <QChar>

// The date and time separators of the user's regional settings (LC_TIME, LANG on Linux),
// used in the clock edit, the "#D" command and the time stamp of saved parameter files.
// Settings that give none (the C locale) get the French ones, "/" and ":", which
// instruments and earlier files expect.
struct DateTimeSeparators {
    QChar date = u'/';
    QChar time = u':';
};
DateTimeSeparators regionalSeparators();
DateTimeSeparators separatorsOf(const class QLocale& locale);
