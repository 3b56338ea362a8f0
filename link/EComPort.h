#pragma once

#include "common/Errors.h"

#include <memory>

struct PortAttempt;

// Error numbers of the serial port, with their fixed English messages.
enum ComErrorCode : int {
    CE_OpenFailed = 1,
    CE_WriteFailed,
    CE_ReadFailed,
    CE_InvalidAsync,
    CE_PurgeFailed,
    CE_AsyncCheck,
    CE_SetStateFailed,
    CE_TimeoutsFailed,
    CE_SetupComFailed,
    CE_ClearComFailed,
    CE_ModemStatFailed,
    CE_EscapeComFailed,
    CE_TransmitFailed,
    CE_ConnChangeProp,
    CE_EnumPortsFailed,
    CE_StoreFailed,
    CE_LoadFailed,
    CE_RegFailed,
    CE_LedStateFailed,
    CE_ThreadCreated,
    CE_WaitFailed,
    CE_HasLink,
    CE_RegError,
    CEPortNotOpen,
};

// A serial port failure. The message is the table's text, followed by
// " (Error: n)" when the system gave an error number above 0.
class EComPort : public VexaError {
public:
    EComPort(int code, qint64 winCode);
    static EComPort CreateNoWinCode(int code) { return EComPort(code, -1); }

    int Code() const { return m_code; }
    qint64 WinCode() const { return m_winCode; }

    static QString baseMessage(int code);

    // A plain sentence in the user's language telling what stands behind the fixed message
    // ("the port ... is used by another program"); empty when nothing more is known.
    const QString& detail() const { return m_detail; }
    void setDetail(const QString& detail) { m_detail = detail; }

    // What was found out about a port that would not open; null for other failures.
    const std::shared_ptr<const PortAttempt>& attempt() const { return m_attempt; }
    void setAttempt(std::shared_ptr<const PortAttempt> attempt) { m_attempt = std::move(attempt); }

private:
    int m_code;
    qint64 m_winCode;
    QString m_detail;
    std::shared_ptr<const PortAttempt> m_attempt;
};
