#include "operations/ClockAndErase.h"

#include "common/DateTimeText.h"
#include "common/Errors.h"
#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "common/RestoreGuard.h"
#include "link/CommandExchange.h"
#include "link/TComPort.h"

namespace {

// Character 66 of the identification record is the instrument's language.
constexpr int kLanguagePosition = 66;

} // namespace

QString formatClockText(const QDateTime& when, DateTimeSeparators separators) {
    return formatDateTime(when, separators);
}

QString clockEditMask(DateTimeSeparators separators) {
    // Escaped, so that a separator that is also a mask character stays a literal.
    const QString date = QStringLiteral("\\") + separators.date;
    const QString time = QStringLiteral("\\") + separators.time;
    return QStringLiteral("99") + date + QStringLiteral("99") + date + QStringLiteral("9999 99") +
           time + QStringLiteral("99") + time + QStringLiteral("99;_");
}

QDateTime readClockText(const QString& text, DateTimeSeparators separators) {
    // dd/mm/yyyy hh:nn:ss: 14 digits around fixed separators.
    static constexpr int kLength = 19;
    auto fail = [&]() -> QDateTime { throw EConvertError(msg(MsgId::InvalidDateTime).arg(text)); };
    if (text.size() != kLength)
        return fail();
    const QString expected = formatClockText(QDateTime(QDate(2000, 1, 1), QTime(0, 0)), separators);
    for (int i = 0; i < kLength; ++i) {
        const bool digitHere = expected.at(i).isDigit();
        const QChar c = text.at(i);
        if (digitHere ? !(c >= u'0' && c <= u'9') : c != expected.at(i))
            return fail();
    }
    auto number = [&](int from, int length) { return text.mid(from, length).toInt(); };
    const QDate date(number(6, 4), number(3, 2), number(0, 2));
    const QTime time(number(11, 2), number(14, 2), number(17, 2));
    if (!date.isValid() || !time.isValid())
        return fail();
    return QDateTime(date, time);
}

QString clockArgument(const QDateTime& when, const QString& identificationRecord,
                      DateTimeSeparators separators) {
    const QChar language = identificationRecord.size() >= kLanguagePosition
                               ? identificationRecord.at(kLanguagePosition - 1)
                               : QChar();
    if (language == u'F' || language == u'A')
        return u' ' + formatDateTime(when, separators, DateOrder::DayFirst);
    return u' ' + formatDateTime(when, separators, DateOrder::MonthFirst) + u' ';
}

OperationResult setInstrumentClock(CommandExchange& exchange, OperatorFeedback& feedback,
                                   const std::function<QString()>& editText) {
    RestoreGuard portOpen; // closes after the message, or as the error unwinds
    openPort(exchange.port(), portOpen);
    OperationResult result = resultOf(Operation::Clock, Outcome::NoAnswer);
    if (exchange.ConnectSonde() != 0) {
        result.outcome = Outcome::NoAnswer;
    } else if (!exchange.exchangeLine(QStringLiteral("#p"))) {
        result.outcome = Outcome::CommError;
    } else {
        const QString record = exchange.ReplyBuffer;
        // Raises before "#D" when the text is no date.
        const QDateTime when = readClockText(editText());
        const bool ok = exchange.exchangeLine(QStringLiteral("#D") + clockArgument(when, record)) &&
                        exchange.replyAcknowledged();
        result.outcome = ok ? Outcome::Done : Outcome::CommError;
    }
    feedback.showInformation(outcomeMessage(result));
    return result;
}

OperationResult eraseInstrumentMemory(CommandExchange& exchange, OperatorFeedback& feedback,
                                      const std::function<bool(const QString&)>& mayErase) {
    RestoreGuard portOpen;
    openPort(exchange.port(), portOpen);
    OperationResult result = resultOf(Operation::Erase, Outcome::NoAnswer);
    if (exchange.ConnectSonde() == 0) {
        if (mayErase && !mayErase(exchange.ReplyBuffer))
            return resultOf(Operation::Erase, Outcome::Cancelled);
        exchange.exchangeLine(QStringLiteral("#I"));
        // Both failures read as an instrument that does not answer.
        if (exchange.replyAcknowledged())
            result.outcome = Outcome::Done;
    }
    feedback.showInformation(outcomeMessage(result));
    return result;
}
