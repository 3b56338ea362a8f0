#include "params/ParamSender.h"

#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "common/RestoreGuard.h"
#include "common/TextFile.h"
#include "link/CommandExchange.h"
#include "link/TComPort.h"

namespace {

constexpr std::array<const char16_t*, 4> kTags = {u"#P", u"#R", u"#G", u"#F"};

} // namespace

std::array<QString, 4> recordsToSend(const QStringList& lines) {
    std::array<QString, 4> records;
    for (const QString& line : lines)
        for (std::size_t i = 0; i < kTags.size(); ++i)
            if (line.startsWith(QStringView(kTags[i])))
                records[i] = line;
    return records;
}

ParamSender::ParamSender(CommandExchange& exchange, OperatorFeedback& feedback)
    : m_exchange(exchange), m_feedback(feedback) {}

bool ParamSender::sendRecord(const QString& line) {
    m_exchange.EcrireCommande(line);
    m_exchange.AttendreReponse();
    return m_exchange.replyAcknowledged();
}

OperationResult ParamSender::send(const QString& currentFile) {
    // Declared first, so that on a failure it runs after the port has been closed. The status
    // window is hidden also when it was never shown.
    RestoreGuard window;
    m_feedback.setMainWindowEnabled(false);
    window.add([this] { m_feedback.hideStatus(); });
    window.add([this] { m_feedback.setMainWindowEnabled(true); });

    const std::array<QString, 4> records = recordsToSend(readTextLines(currentFile));
    RestoreGuard portOpen;
    openPort(m_exchange.port(), portOpen);

    OperationResult result = resultOf(Operation::Send, Outcome::NoAnswer);
    if (m_exchange.ConnectSonde() == 0) {
        const MsgId status[3] = {MsgId::SendingIdentification, MsgId::SendingMeasurement,
                                 MsgId::SendingGeneral};
        m_feedback.AfficheInfo(msg(status[0]));
        m_feedback.showStatus();
        bool accepted = true;
        for (int i = 0; i < 3 && accepted; ++i) {
            if (i > 0)
                m_feedback.AfficheInfo(msg(status[i]));
            accepted = sendRecord(records[i]);
            // The instrument needs the pause after a record whether or not it took it.
            m_exchange.Temporiser(kPauseMs);
        }
        if (accepted)
            accepted = sendRecord(records[3]);
        result.outcome = accepted ? Outcome::Done : Outcome::CommError;
    }
    portOpen.run();
    m_feedback.showInformation(outcomeMessage(result));
    return result;
}
