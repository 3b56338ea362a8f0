#pragma once

#include "common/Regional.h"

#include <QDateTime>
#include <QString>

// A date and time as the instrument and its files write them: two digits for every field but
// the four-digit year, the regional separators, day and month in the order asked for.
enum class DateOrder { DayFirst, MonthFirst };
QString formatDateTime(const QDateTime& when, DateTimeSeparators separators,
                       DateOrder order = DateOrder::DayFirst);
