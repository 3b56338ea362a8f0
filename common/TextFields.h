#pragma once

#include <QString>
#include <QStringView>

// Replies and record lines are cut into fields by positions that count from 1, as the
// instrument's documentation gives them: `length` characters from `first`, fewer where the
// text ends sooner, none where it ends before `first`.
inline QString fieldAt(const QString& text, qsizetype first, qsizetype length) {
    return text.mid(first - 1, length);
}
inline QStringView fieldAt(QStringView text, qsizetype first, qsizetype length) {
    if (first < 1 || first > text.size())
        return {};
    return text.sliced(first - 1, qMin(length, text.size() - first + 1));
}
