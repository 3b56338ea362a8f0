#include "sim/SimAdapterOption.h"

#include "sim/InstrumentSimulator.h"

#include <QCommandLineParser>

QCommandLineOption latencyTimerOption() {
    return QCommandLineOption(QStringLiteral("latency-timer"),
                              QStringLiteral("Pass the replies through a model of a USB serial "
                                             "adapter whose latency timer is MS milliseconds: "
                                             "received bytes are held until the line has "
                                             "been idle that long or 62 bytes are in (16 is "
                                             "the usual default, 1 the best setting). "
                                             "Default 0, no adapter."),
                              QStringLiteral("MS"), QStringLiteral("0"));
}

bool applyLatencyTimer(const QCommandLineParser& parser, InstrumentSimulator& sim, QString& error) {
    bool ok = false;
    const int ms = parser.value(latencyTimerOption().names().constFirst()).toInt(&ok);
    if (!ok || ms < 0) {
        error = QStringLiteral("--latency-timer needs a whole number of 0 or more");
        return false;
    }
    sim.setLatencyTimer(ms);
    return true;
}
