#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The one integer reading used for replies, files and edits: leading blanks, an optional
// sign, then decimal digits to the very end of the text, or hexadecimal digits after "$",
// "0x" or "x" (either case). Anything else — an empty text, a trailing blank, a value
// outside the 32-bit signed range — is a failure.
std::optional<qint32> tryStrToInt(QStringView text);

// Same reading, raising EConvertError that names the text on failure.
qint32 strToInt(const QString& text);

// Puts "0" in front of `text` until it has `width` characters; longer texts are kept whole.
QString CompleterZeros(const QString& text, int width);
