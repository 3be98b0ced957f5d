#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The one error type of the program: it carries the French message shown to the user.
// Commands throw it; only the guarded call (RunGuarded) catches it and reports it.
class AppError : public std::exception
{
public:
    explicit AppError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Ends the current operation without a word (the "abort" kind).
class SilentAbort : public std::exception
{
public:
    const char *what() const noexcept override { return "silent abort"; }
};
