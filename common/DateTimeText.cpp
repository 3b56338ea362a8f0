#include "common/DateTimeText.h"

namespace {

QString digits(int value, int width) {
    return QString::number(value).rightJustified(width, u'0');
}

} // namespace

QString formatDateTime(const QDateTime& when, DateTimeSeparators separators, DateOrder order) {
    const QDate d = when.date();
    const QTime t = when.time();
    const QString day = digits(d.day(), 2);
    const QString month = digits(d.month(), 2);
    const bool dayFirst = order == DateOrder::DayFirst;
    return (dayFirst ? day : month) + separators.date + (dayFirst ? month : day) + separators.date +
           digits(d.year(), 4) + u' ' + digits(t.hour(), 2) + separators.time +
           digits(t.minute(), 2) + separators.time + digits(t.second(), 2);
}
