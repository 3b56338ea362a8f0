#include "operations/ClockAndErase.h"

#include "common/Errors.h"
#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "operations/PortSession.h"

namespace {

// Character 66 of the identification record is the instrument's language.
constexpr int kLanguagePosition = 66;

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString timeText(const QTime& t, QChar sep) {
    return twoDigits(t.hour()) + sep + twoDigits(t.minute()) + sep + twoDigits(t.second());
}

bool replyHasOk(const CommandExchange& exchange) {
    return exchange.ReplyComplete && exchange.ReplyBuffer.contains(QLatin1String("OK"));
}

} // namespace

QString formatClockText(const QDateTime& when, DateTimeSeparators separators) {
    const QDate d = when.date();
    return twoDigits(d.day()) + separators.date + twoDigits(d.month()) + separators.date +
           QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0')) + u' ' +
           timeText(when.time(), separators.time);
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
    const QDate d = when.date();
    const QString year = QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
    const QString time = timeText(when.time(), separators.time);
    if (language == u'F' || language == u'A')
        return u' ' + twoDigits(d.day()) + separators.date + twoDigits(d.month()) +
               separators.date + year + u' ' + time;
    return u' ' + twoDigits(d.month()) + separators.date + twoDigits(d.day()) + separators.date +
           year + u' ' + time + u' ';
}

void setInstrumentClock(CommandExchange& exchange, OperatorFeedback& feedback,
                        const std::function<QString()>& editText) {
    PortSession session(exchange.port());
    QString message;
    if (exchange.ConnectSonde() != 0) {
        message = msg(MsgId::NoAnswer);
    } else if (!exchangeLine(exchange, QStringLiteral("#p"))) {
        message = msg(MsgId::CommError);
    } else {
        const QString record = exchange.ReplyBuffer;
        // Raises before "#D" when the text is no date; the session still closes the port.
        const QDateTime when = readClockText(editText());
        const bool ok =
            exchangeLine(exchange, QStringLiteral("#D") + clockArgument(when, record)) &&
            replyHasOk(exchange);
        message = msg(ok ? MsgId::ClockDone : MsgId::CommError);
    }
    feedback.ShowInformation(message);
    session.close();
}

void eraseInstrumentMemory(CommandExchange& exchange, OperatorFeedback& feedback) {
    PortSession session(exchange.port());
    QString message = msg(MsgId::NoAnswer);
    if (exchange.ConnectSonde() == 0) {
        exchangeLine(exchange, QStringLiteral("#I"));
        // Both failures read as an instrument that does not answer.
        if (replyHasOk(exchange))
            message = msg(MsgId::EraseDone);
    }
    feedback.ShowInformation(message);
    session.close();
}
