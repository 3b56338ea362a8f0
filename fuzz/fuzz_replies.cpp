// What the program reads from the instrument's replies, on any line: the identity fields,
// the "#T" count, the markers of a stored line, the "#k" line and the "#p" language code.
#include "FuzzSupport.h"

#include "common/Cp1252.h"
#include "common/Errors.h"
#include "link/InstrumentSearch.h"
#include "operations/ClockAndErase.h"
#include "operations/SpecificParameters.h"
#include "operations/TransferReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The line as the port delivers it: one byte, one character.
    const QString reply = fromCp1252(fuzz::bytesOf(data, size));

    const InstrumentIdentity id = InstrumentIdentity::fromReply(reply);
    fuzz::require(id.description.size() <= 20 && id.productReference.size() <= 8 &&
                      id.softwareVersion.size() <= 8 && id.parameterFile.size() <= 8 &&
                      id.serialNumber.size() <= 16 && id.pmReference.size() <= 16,
                  "identity fields fit their widths");

    // The count lies in characters 24 to 28: what stands elsewhere cannot change it.
    const std::optional<qint32> count = storedFileCount(reply);
    QString elsewhere = reply;
    for (qsizetype i = 0; i < elsewhere.size(); ++i) {
        if (i < 23 || i > 27)
            elsewhere[i] = u'#';
    }
    if (elsewhere.size() >= 28)
        elsewhere += QStringLiteral("\r\n");
    fuzz::require(storedFileCount(elsewhere) == count,
                  "the count depends on characters 24 to 28 alone");

    const StoredLineMarkers markers = classifyStoredLine(reply);
    fuzz::require(!markers.end || reply.contains(u'#'), "an end marker needs a '#'");

    if (reply.size() >= 56) {
        try {
            const SpecificParameters values = parseSpecificLine(reply);
            fuzz::require(values.highVoltage.size() == 4 && values.contrast.size() == 4,
                          "the numbers of a full line have four characters");
        } catch (const EConvertError&) {
            // A maintenance flag that is not a number: reported to the operator as such.
        }
    }

    // The language code at character 66 picks the date order; every record gives one
    // of the two argument forms.
    const QString argument =
        clockArgument(QDateTime(QDate(2015, 3, 7), QTime(14, 5, 9)), reply, {u'/', u':'});
    fuzz::require(argument == QStringLiteral(" 07/03/2015 14:05:09") ||
                      argument == QStringLiteral(" 03/07/2015 14:05:09 "),
                  "the clock argument has one of its two forms");
    return 0;
}
