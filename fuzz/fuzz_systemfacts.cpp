// What the search reads from the system's files, on any content: lock files (which any
// user may write), a process's stat, name and command line (which it chooses itself), and
// a USB adapter's descriptor texts and ids.
#include "FuzzSupport.h"

#include "link/SystemFileParsers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);

    if (const auto claim = parseLockFile(bytes)) {
        fuzz::require(claim->pid > 0, "a lock names a positive process number");
        // What a program writes in the ASCII format reads back as it was written.
        const QByteArray written = QByteArray::number(claim->pid).rightJustified(10) + '\n';
        fuzz::require(parseLockFile(written)->pid == claim->pid, "an ASCII lock reads back");
    }
    if (const auto stat = parseProcessStat(bytes)) {
        fuzz::require(stat->name.size() <= bytes.size(), "the name is inside the line");
        fuzz::require(stat->state != ' ' && stat->state != ')', "the state follows the name");
    }
    const QString comm = parseProcessComm(bytes);
    fuzz::require(!comm.endsWith(u'\n') || bytes.endsWith("\n\n"), "the line end is dropped");
    fuzz::require(!programOfCommandLine(bytes).contains(u'/'), "a program name has no folder");
    if (const auto index = parseTtyIndex(bytes))
        fuzz::require(*index >= 0, "a terminal index is not negative");

    // Whatever the list, a device number its lines do not name is not covered.
    fuzz::require(!ttyDriversCover(bytes, 0xFFFFFFFFu, 0) || bytes.contains("4294967295"),
                  "only a listed major is a terminal's");
    ttyDriversCover(bytes, 136, 3);

    const QString text = parseSysText(bytes);
    fuzz::require(!text.contains(u'\n') && text == text.trimmed(), "a /sys text is one line");
    const quint16 id = parseHexId(bytes);
    fuzz::require(id == 0 || parseHexId(QByteArray::number(id, 16) + '\n') == id,
                  "an id reads back");
    return 0;
}
