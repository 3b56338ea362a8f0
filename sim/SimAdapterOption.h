#pragma once

#include <QCommandLineOption>
#include <QString>

class InstrumentSimulator;
class QCommandLineParser;

// vexa-sim's --latency-timer MS: the replies pass through a model of a USB serial adapter
// that holds them until MS milliseconds of idle line or a full packet.
QCommandLineOption latencyTimerOption();

// Applies the option when given; false with `error` set when its value is no whole number
// of 0 or more.
bool applyLatencyTimer(const QCommandLineParser& parser, InstrumentSimulator& sim, QString& error);
