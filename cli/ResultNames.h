#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>

// The result files of a run over every instrument: the window's proposal
// (VEXAyymmddhhnn.txt in the folder), with the instrument's serial number before the
// extension, so that each instrument gets a file of its own in one folder.
class ResultNames {
public:
    ResultNames(QString folder, QDateTime stamp);

    // VEXAyymmddhhnn-<serial>.txt; the serial made safe for a file name, the port's name
    // when the instrument gives none, and "-2", "-3"... when two instruments of one run
    // would share a name, even one differing only in case, so that none replaces another's
    // file.
    QString forInstrument(const QString& serialNumber, const QString& portName);

private:
    QString m_folder;
    QDateTime m_stamp;
    QSet<QString> m_given; // case-folded
};

// A text as a piece of a file name: blanks around it dropped, every character other than
// ASCII letters, digits, "-", "_" and "." (and a leading dot) replaced by "_".
QString fileNameSafe(const QString& text);
