#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// What the simulated Vexameter keeps and how it answers one command line. It knows
// nothing of threads, timing or the serial line: the simulator hands it each received
// line (line end removed) and sends back what it returns (line end added by the sender).
class SimInstrument {
public:
    // The six fields of the identification line; each is cut or blank-filled to its width.
    struct Identity {
        QString description = QStringLiteral("VEXAMETER GAMMA"); // 20 characters
        QString productReference = QStringLiteral("VXM-100");    // 8
        QString softwareVersion = QStringLiteral("V3.10");       // 8
        QString parameterFile = QStringLiteral("STANDARD");      // 8
        QString serialNumber = QStringLiteral("VX0123");         // 16
        QString pmReference = QStringLiteral("045/112");         // 16
    };

    // The values behind the specific-parameter line.
    struct SpecificParameters {
        QString serialNumber = QStringLiteral("VX0123");
        QString pmReference = QStringLiteral("045/112");
        int highVoltage = 800;
        int contrast = 512;
        bool maintenance = false;
    };

    static constexpr int UnknownCommandError = 1;
    static constexpr int IdentityLineLength = 104;
    static constexpr int IdentificationRecordLength = 66;
    static constexpr int SpecificLineLength = 56;

    SimInstrument();

    // The reply to one received line, without line end; applies the command's effect.
    // Unknown commands (an empty line included) get the error reply for number 1.
    QByteArray answer(const QByteArray& line);

    Identity identity() const { return m_identity; }
    void setIdentity(const Identity& identity) { m_identity = identity; }
    // Replaces the composed identification line; an empty line goes back to composing.
    void setIdentityLine(const QByteArray& line) { m_identityLineOverride = line; }
    QByteArray identityLine() const;

    QList<QByteArray> storedLines() const { return m_memory; }
    void setStoredLines(const QList<QByteArray>& lines);
    void generateMemory(int files, int measuresPerFile, bool withGps = false) {
        setStoredLines(generatedMemory(files, measuresPerFile, withGps));
    }
    // Files in memory: one per "#L" line, plus one for lines after the last "#L".
    int storedFileCount() const;
    // Replaces the composed "#T" line; an empty line goes back to composing.
    void setSummaryLine(const QByteArray& line) { m_summaryOverride = line; }
    QByteArray summaryLine() const;

    // The "#P"-layout record that "#p" reports; the last "#P" record received replaces it.
    QByteArray identificationRecord() const { return m_identificationRecord; }
    void setIdentificationRecord(const QByteArray& record) { m_identificationRecord = record; }
    // Puts `code` at character 66, blank-filling a shorter record first.
    void setLanguageCode(char code);

    // Everything after "#D" in the last clock command, blanks included.
    QByteArray clockText() const { return m_clock; }

    // The line "#k" answers. "#K ..." replaces it with the received line, tag lowercased.
    QByteArray specificLine() const { return m_specificLine; }
    void setSpecificLine(const QByteArray& line) { m_specificLine = line; }
    void setSpecificParameters(const SpecificParameters& values);

    // Every "#P", "#R", "#G" or "#F" record received, oldest first, exactly as received.
    QList<QByteArray> records(const QByteArray& tag) const { return m_records.value(tag); }

    static QByteArray composeIdentityLine(const Identity& identity);
    static QByteArray composeSpecificLine(const SpecificParameters& values);
    static QByteArray composeSummaryLine(int files, int lines);
    static QByteArray defaultIdentificationRecord();
    static QByteArray errorReply(int number);
    static QByteArray endLine();
    // A deterministic memory: per file, `measuresPerFile` "#R" lines (each followed by a
    // "#G" position line when `withGps`) and one "#L" end-of-file line.
    static QList<QByteArray> generatedMemory(int files, int measuresPerFile, bool withGps = false);

private:
    Identity m_identity;
    QByteArray m_identityLineOverride;
    QList<QByteArray> m_memory;
    qsizetype m_cursor = 0;
    QByteArray m_summaryOverride;
    QByteArray m_identificationRecord;
    QByteArray m_clock;
    QByteArray m_specificLine;
    QMap<QByteArray, QList<QByteArray>> m_records;
};
