#include "common/TerminalText.h"

namespace {

void appendEscape(QString& text, unsigned code) {
    text += QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
}

bool isControl(char16_t c) {
    return (c < 0x20 && c != u'\t') || (c >= 0x7f && c <= 0x9f);
}

} // namespace

QString terminalSafe(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && !isControl(text.at(i).unicode()))
        ++i;
    if (i == text.size())
        return text;
    QString safe = text.left(i);
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (isControl(c))
            appendEscape(safe, c);
        else
            safe += QChar(c);
    }
    return safe;
}

QString visibleBytes(const QByteArray& bytes) {
    QString text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (byte) {
        case '\r':
            text += QStringLiteral("\\r");
            break;
        case '\n':
            text += QStringLiteral("\\n");
            break;
        case '\t':
            text += QStringLiteral("\\t");
            break;
        case '\\':
            text += QStringLiteral("\\\\");
            break;
        default:
            // Bytes above ASCII too: the trace keeps the line's exact bytes, whatever their
            // code page.
            if (byte >= 0x80 || isControl(byte))
                appendEscape(text, byte);
            else
                text += QLatin1Char(c);
        }
    }
    return text;
}
