#pragma once

#include <QString>
#include <optional>

// What the transfer reads from the instrument's replies; the rest of each line is the
// instrument's and is stored unchanged.

// The stored-file count of a "#T" reply: characters 24 to 28 of the raw reply, counted
// from 1 with CR LF included (fewer when the reply is shorter), read as an integer.
// Nothing when they are not one.
std::optional<qint32> storedFileCount(const QString& summaryReply);

// The markers of a reply to "#OK", each found anywhere in the reply, case-sensitively.
struct StoredLineMarkers {
    bool measurement = false; // "#R" or "#G": one more measurement
    bool newFile = false;     // "#L": the next stored file begins
    bool end = false;         // "#F": the memory is done, the line is not stored

    bool operator==(const StoredLineMarkers&) const = default;
};
StoredLineMarkers classifyStoredLine(const QString& reply);
