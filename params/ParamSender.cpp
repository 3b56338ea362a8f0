#include "params/ParamSender.h"

#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "common/TextFile.h"
#include "link/CommandExchange.h"
#include "link/TComPort.h"

namespace {

constexpr std::array<const char16_t*, 4> kTags = {u"#P", u"#R", u"#G", u"#F"};

// Puts the port, the status window and the main window back, on every way out.
class Restorer {
public:
    Restorer(TComPort& port, OperatorFeedback& feedback) : m_port(port), m_feedback(feedback) {}
    ~Restorer() {
        try {
            m_port.Close();
        } catch (...) {
            // Closing is best effort here; the error that brought us here matters more.
        }
        m_feedback.HideStatus();
        m_feedback.SetMainWindowEnabled(true);
    }
    Restorer(const Restorer&) = delete;
    Restorer& operator=(const Restorer&) = delete;

private:
    TComPort& m_port;
    OperatorFeedback& m_feedback;
};

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
    return !m_exchange.ReplyTimedOut && m_exchange.ReplyBuffer.contains(u"OK");
}

void ParamSender::send(const QString& currentFile) {
    TComPort& port = m_exchange.port();
    m_feedback.SetMainWindowEnabled(false);
    Restorer restorer(port, m_feedback);

    const std::array<QString, 4> records = recordsToSend(readTextLines(currentFile));
    port.Open();

    QString message;
    if (m_exchange.ConnectSonde() != 0) {
        message = msg(MsgId::NoAnswer);
    } else {
        const MsgId status[3] = {MsgId::SendingIdentification, MsgId::SendingMeasurement,
                                 MsgId::SendingGeneral};
        m_feedback.AfficheInfo(msg(status[0]));
        m_feedback.ShowStatus();
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
        message = msg(accepted ? MsgId::SendDone : MsgId::CommError);
    }
    port.Close();
    m_feedback.ShowInformation(message);
}
