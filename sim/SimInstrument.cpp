#include "sim/SimInstrument.h"

#include "common/Cp1252.h"
#include "common/IntConv.h"

#include <QDateTime>

namespace {

// A text field of fixed width on the line: cut when longer, blank-filled when shorter.
QByteArray fixed(const QString& text, int width) {
    return toCp1252(text.leftJustified(width, QLatin1Char(' '), true));
}

QByteArray number(qint64 value, int width) {
    return QByteArray::number(value).rightJustified(width, '0');
}

bool isRecordTag(const QByteArray& line) {
    return line.startsWith("#P") || line.startsWith("#R") || line.startsWith("#G") ||
           line.startsWith("#F");
}

} // namespace

SimInstrument::SimInstrument()
    : m_identificationRecord(defaultIdentificationRecord()),
      m_specificLine(composeSpecificLine(SpecificParameters{})) {}

QByteArray SimInstrument::answer(const QByteArray& line) {
    if (line == "#i")
        return identityLine();
    if (line == "#T") {
        m_cursor = 0;
        return summaryLine();
    }
    if (line == "#OK")
        return m_cursor < m_memory.size() ? m_memory.at(m_cursor++) : endLine();
    if (line == "#p")
        return m_identificationRecord;
    if (line == "#I") {
        m_memory.clear();
        m_cursor = 0;
        return "OK";
    }
    if (line == "#k")
        return m_specificLine;
    if (line.startsWith("#D")) {
        m_clock = line.mid(2);
        return "OK";
    }
    if (line.startsWith("#K")) {
        m_specificLine = "#k" + line.mid(2);
        return "OK";
    }
    if (isRecordTag(line)) {
        m_records[line.left(2)].append(line);
        if (line.startsWith("#P"))
            m_identificationRecord = line;
        return "OK";
    }
    return errorReply(UnknownCommandError);
}

QByteArray SimInstrument::identityLine() const {
    return m_identityLineOverride.isEmpty() ? composeIdentityLine(m_identity)
                                            : m_identityLineOverride;
}

void SimInstrument::setStoredLines(const QList<QByteArray>& lines) {
    m_memory = lines;
    m_cursor = 0;
}

int SimInstrument::storedFileCount() const {
    int files = 0;
    bool openFile = false;
    for (const QByteArray& line : m_memory) {
        if (line.startsWith("#L")) {
            ++files;
            openFile = false;
        } else {
            openFile = true;
        }
    }
    return files + (openFile ? 1 : 0);
}

QByteArray SimInstrument::summaryLine() const {
    if (!m_summaryOverride.isEmpty())
        return m_summaryOverride;
    return composeSummaryLine(storedFileCount(), int(m_memory.size()));
}

void SimInstrument::setLanguageCode(char code) {
    if (m_identificationRecord.size() < IdentificationRecordLength)
        m_identificationRecord = m_identificationRecord.leftJustified(IdentificationRecordLength);
    m_identificationRecord[IdentificationRecordLength - 1] = code;
}

void SimInstrument::setSpecificParameters(const SpecificParameters& values) {
    m_specificLine = composeSpecificLine(values);
}

QByteArray SimInstrument::composeIdentityLine(const Identity& id) {
    // The gaps between the fields carry labels so that the line reads well in a terminal;
    // the program reads only the six fields.
    return "#i " + fixed(id.description, 20) + " PN: " + fixed(id.productReference, 8) +
           " LN: " + fixed(id.softwareVersion, 8) + " DN: " + fixed(id.parameterFile, 8) +
           " SN: " + fixed(id.serialNumber, 16) + " PM: " + fixed(id.pmReference, 16);
}

QByteArray SimInstrument::composeSpecificLine(const SpecificParameters& v) {
    return "#k " + fixed(QStringLiteral("SN: ") + v.serialNumber, 20) + ' ' +
           fixed(QStringLiteral("PM: ") + v.pmReference, 20) + ' ' +
           toCp1252(CompleterZeros(QString::number(v.highVoltage), 4)) + ' ' +
           toCp1252(CompleterZeros(QString::number(v.contrast), 4)) + ' ' +
           (v.maintenance ? '1' : '0');
}

QByteArray SimInstrument::composeSummaryLine(int files, int lines) {
    // Characters 24 to 28 hold the file count; a count past 99999 widens the field.
    return "#T Fichiers en memoire " + number(files, 5) + " Lignes " + number(lines, 6);
}

QByteArray SimInstrument::defaultIdentificationRecord() {
    return "#P " + fixed(QStringLiteral("STANDARD.DAT"), 20) + ' ' +
           fixed(QStringLiteral("Simulateur VEXA"), 20) + ' ' + "07/03/2015 14:05:00" + ' ' + 'F';
}

QByteArray SimInstrument::errorReply(int errorNumber) {
    return "#e " + number(errorNumber, 3);
}

QByteArray SimInstrument::endLine() {
    return "#F";
}

QList<QByteArray> SimInstrument::generatedMemory(int files, int measuresPerFile, bool withGps) {
    QList<QByteArray> lines;
    const QDateTime base(QDate(2015, 3, 7), QTime(14, 5), Qt::UTC);
    for (int file = 1; file <= files; ++file) {
        for (int measure = 1; measure <= measuresPerFile; ++measure) {
            const QDateTime when = base.addSecs(qint64(file - 1) * 3600 + qint64(measure) * 10);
            const int counts = 100 + (file * 7919 + measure * 104729) % 900;
            const QByteArray where = number(file, 3) + ' ' + number(measure, 4);
            lines.append("#R " + where + ' ' +
                         when.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")).toLatin1() + ' ' +
                         number(counts, 6) + " cps");
            if (withGps) {
                lines.append("#G " + where + " N 45." + number((file * 311 + measure) % 100000, 5) +
                             " E 004." + number((file * 577 + measure * 3) % 100000, 5));
            }
        }
        lines.append("#L " + number(file, 3) + ' ' + number(measuresPerFile, 4) +
                     " fin de fichier");
    }
    return lines;
}
