#include "common/Regional.h"

#include <QLocale>

namespace {

// The first character of a date or time format that is neither a field letter, a blank
// nor a quote: "dd.MM.yy" gives ".", "HH:mm" gives ":".
QChar separatorOf(const QString& format, QChar fallback) {
    for (QChar c : format)
        if (!c.isLetter() && !c.isSpace() && c != u'\'')
            return c;
    return fallback;
}

} // namespace

DateTimeSeparators separatorsOf(const QLocale& locale) {
    DateTimeSeparators separators;
    separators.date = separatorOf(locale.dateFormat(QLocale::ShortFormat), separators.date);
    separators.time = separatorOf(locale.timeFormat(QLocale::ShortFormat), separators.time);
    return separators;
}

DateTimeSeparators regionalSeparators() {
    return separatorsOf(QLocale::system());
}
