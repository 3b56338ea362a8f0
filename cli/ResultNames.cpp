#include "cli/ResultNames.h"

#include "operations/MeasurementTransfer.h"

ResultNames::ResultNames(QString folder, QDateTime stamp)
    : m_folder(std::move(folder)), m_stamp(std::move(stamp)) {}

QString ResultNames::forInstrument(const QString& serialNumber, const QString& portName) {
    QString piece = fileNameSafe(serialNumber);
    if (piece.isEmpty()) {
        QString port = portName;
        if (port.startsWith(QLatin1String("/dev/")))
            port.remove(0, 5);
        piece = fileNameSafe(port);
    }
    const QString proposal = proposedResultFileName(m_folder, m_stamp);
    const QString stem = proposal.chopped(4) + u'-' + piece; // before ".txt"
    QString name = stem + QStringLiteral(".txt");
    // Compared case-folded: on a file system that ignores case (a Windows or macOS share,
    // an exFAT stick) "-ab1" and "-AB1" are one file, and one instrument's file must never
    // replace another's, --force or not.
    for (int n = 2; m_given.contains(name.toCaseFolded()); ++n)
        name = stem + u'-' + QString::number(n) + QStringLiteral(".txt");
    m_given.insert(name.toCaseFolded());
    return name;
}

QString fileNameSafe(const QString& text) {
    QString safe = text.trimmed();
    for (qsizetype i = 0; i < safe.size(); ++i) {
        const QChar c = safe.at(i);
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || c == u'-' || c == u'_' ||
                           (c == u'.' && i > 0);
        if (!plain)
            safe[i] = u'_';
    }
    return safe;
}
