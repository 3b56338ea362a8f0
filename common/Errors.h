#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Base of every error the program raises. The message is what the general error
// report shows, so it must read well on its own.
class VexaError : public std::exception {
public:
    explicit VexaError(QString message);
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A text that should hold a number or a date does not.
class EConvertError : public VexaError {
public:
    using VexaError::VexaError;
};

// A file could not be read, created or written.
class EFileError : public VexaError {
public:
    using VexaError::VexaError;
};
