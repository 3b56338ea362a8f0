#pragma once

#include "common/Cp1252.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTest>

// The parameter file every scenario starts from: the records built from the lower bounds
// of the default ranges, then one range line per key with the default bounds. The slots
// that are never read ("alsfM" lower, "batvi"/"batar" upper) hold their neighbours' values.
namespace fixture {

inline QStringList workedExampleLines() {
    return {
        u"#P " + QStringLiteral("configVEXA.dat").leftJustified(20) + u' ' + QString(20, u' ') +
            u" 01/01/2000 00:00:00 F",
        QStringLiteral("#R 00000 00010 00001 00001 00001 00000 00050 00050 00050 00000"),
        QStringLiteral("#G 00010 00060 00000 00200 00200 00180 00000 00000 00050 00002"),
        QStringLiteral("#F"),
        QStringLiteral("/dmesu 00010 > 01000"),
        QStringLiteral("/track 00001 > 00099"),
        QStringLiteral("/moyg1 00001 > 00100"),
        QStringLiteral("/moyg2 00001 > 00100"),
        QStringLiteral("/alsfm 00050 > 20000"),
        QStringLiteral("/alsfM 00050 > 20000"),
        QStringLiteral("/alard 00000 > 01000"),
        QStringLiteral("/intaf 00010 > 00100"),
        QStringLiteral("/arret 00060 > 01800"),
        QStringLiteral("/sci0t 00000 > 01000"),
        QStringLiteral("/batpl 00200 > 01000"),
        QStringLiteral("/batvi 00200 > 01000"),
        QStringLiteral("/batar 00180 > 01000"),
        QStringLiteral("/eclsh 00000 > 01023"),
        QStringLiteral("/eclsb 00000 > 01023"),
        QStringLiteral("/fbeep 00050 > 02500"),
        QStringLiteral("/coefs 00002 > 00010"),
    };
}

// Lines as the program writes them: Windows-1252, CR LF after each.
inline QByteArray cp1252Bytes(const QStringList& lines, const QByteArray& eol = "\r\n") {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += toCp1252(line) + eol;
    return bytes;
}

inline QByteArray workedExampleBytes() {
    return cp1252Bytes(workedExampleLines());
}

} // namespace fixture
