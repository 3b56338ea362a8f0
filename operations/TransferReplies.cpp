#include "operations/TransferReplies.h"

#include "common/IntConv.h"
#include "common/TextFields.h"

namespace {

constexpr int kCountPosition = 24;
constexpr int kCountLength = 5;

} // namespace

std::optional<qint32> storedFileCount(const QString& summaryReply) {
    return tryStrToInt(fieldAt(QStringView(summaryReply), kCountPosition, kCountLength));
}

StoredLineMarkers classifyStoredLine(const QString& reply) {
    StoredLineMarkers markers;
    markers.measurement =
        reply.contains(QLatin1String("#R")) || reply.contains(QLatin1String("#G"));
    markers.newFile = reply.contains(QLatin1String("#L"));
    markers.end = reply.contains(QLatin1String("#F"));
    return markers;
}
