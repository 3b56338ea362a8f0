// The integer reading used for replies, files and edits, on any text.
#include "FuzzSupport.h"

#include "common/Cp1252.h"
#include "common/IntConv.h"

#include <charconv>
#include <string>

namespace {

// The same reading written the plain way, to compare against: blanks, a sign, then digits
// of one base to the end, within 32 bits.
std::optional<qint32> reference(const QString& text) {
    std::string s = text.toStdString();
    size_t i = s.find_first_not_of(' ');
    if (i == std::string::npos)
        return std::nullopt;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-')
        negative = s[i++] == '-';
    int base = 10;
    if (s.compare(i, 1, "$") == 0) {
        base = 16;
        i += 1;
    } else if (s.compare(i, 2, "0x") == 0 || s.compare(i, 2, "0X") == 0) {
        base = 16;
        i += 2;
    } else if (s.compare(i, 1, "x") == 0 || s.compare(i, 1, "X") == 0) {
        base = 16;
        i += 1;
    }
    const std::string digits = s.substr(i);
    if (digits.empty() || digits.find_first_of("+- ") != std::string::npos)
        return std::nullopt;
    long long magnitude = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    const long long value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return qint32(value);
}

void check(const QString& text) {
    const std::optional<qint32> value = tryStrToInt(text);
    fuzz::require(value == reference(text), "tryStrToInt agrees with the plain reading");
    if (value)
        fuzz::require(tryStrToInt(QString::number(*value)) == value,
                      "a value read back from its decimal text is the same value");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    // As a reply or an 8-bit file delivers it, one byte one character...
    check(fromCp1252(bytes));
    // ...and as any UTF-16 text an edit may hold.
    check(QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2));
    return 0;
}
