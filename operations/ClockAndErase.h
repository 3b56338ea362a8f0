#pragma once

#include "common/Outcome.h"
#include "common/Regional.h"

#include <QChar>
#include <QDateTime>
#include <QString>
#include <functional>

class CommandExchange;
class OperatorFeedback;

// "dd/mm/yyyy hh:nn:ss" with the regional separators: the clock edit's text.
QString formatClockText(const QDateTime& when,
                        DateTimeSeparators separators = regionalSeparators());

// Input mask of the clock edit: a digit in each of the 14 positions, the separators fixed.
QString clockEditMask(DateTimeSeparators separators = regionalSeparators());

// Reads the clock edit's text (day/month/year hour:minute:second). A missing digit or an
// impossible date or time raises EConvertError naming the text.
QDateTime readClockText(const QString& text, DateTimeSeparators separators = regionalSeparators());

// What follows "#D": " dd/mm/yyyy hh:nn:ss" for an instrument whose identification record
// (the "#p" reply) has "F" or "A" at character 66, " mm/dd/yyyy hh:nn:ss " otherwise (also
// when the record is shorter).
QString clockArgument(const QDateTime& when, const QString& identificationRecord,
                      DateTimeSeparators separators = regionalSeparators());

// "Régler l'horloge": sets the instrument's clock to the time the edit shows. `editText`
// is asked once the instrument's language is known, so a following edit gives its latest
// time. The port is closed on every path, also when the text is not a date. The operator is
// told the outcome before the port closes.
OperationResult setInstrumentClock(CommandExchange& exchange, OperatorFeedback& feedback,
                                   const std::function<QString()>& editText);

// "Effacer": erases the instrument's measurement memory, without a question. When
// `mayErase` is given, it is asked with the identity line of the instrument that answered,
// right before "#I": false, or an exception, and nothing is erased (Cancelled, nothing said).
OperationResult eraseInstrumentMemory(CommandExchange& exchange, OperatorFeedback& feedback,
                                      const std::function<bool(const QString&)>& mayErase = {});
