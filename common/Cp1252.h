#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the 8-bit code page of the instrument's line and of the files that
// French Windows machines wrote. One byte is always exactly one character: the five
// bytes the code page leaves undefined map to the control characters of the same value,
// so any byte sequence survives a round trip unchanged.
QString fromCp1252(QByteArrayView bytes);

// Characters the code page cannot hold become '?'; `ok` (when given) tells whether that
// happened, so callers that must not lose text can choose another encoding.
QByteArray toCp1252(QStringView text, bool* ok = nullptr);

bool isCp1252Representable(QStringView text);
