#include "cli/PortRecord.h"

#include "cli/CliMessages.h"
#include "cli/Console.h"
#include "common/Messages.h"
#include "common/Outcome.h"
#include "link/PortDiagnosis.h"
#include "link/PortReport.h"

namespace {

QStringList inToolWords(QStringList lines) {
    const QString windowFix = msg(MsgId::FixHeld);
    for (QString& line : lines) {
        const qsizetype at = line.indexOf(windowFix);
        if (at >= 0 && line.left(at).trimmed().isEmpty())
            line = line.left(at) + cliMsg(CliMsg::FixHeld);
    }
    return lines;
}

} // namespace

QStringList toolReportLines(const SearchRecord& record) {
    return inToolWords(searchReportLines(record));
}

QStringList toolFixes(const PortAttempt& attempt) {
    return inToolWords(portFixes(attempt));
}

QStringList portRecordLines(const PortAttempt& attempt) {
    SearchRecord record;
    record.ports << attempt;
    addSystemFacts(record);
    return toolReportLines(record);
}

QStringList silentPortLines(const QString& port) {
    const QString silent = outcomeMessage(resultOf(Operation::Search, Outcome::NoAnswer));
    QStringList lines{console::messageText(silent) + QStringLiteral(" (") +
                      deviceDisplayName(describePort(port)) + u')'};
    lines << portRecordLines(describeOpenedPort(port, PortOutcome::Silent));
    return lines;
}
