#include "cli/PortRecord.h"
#include "cli/CliMessages.h"

#include "common/Messages.h"
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
