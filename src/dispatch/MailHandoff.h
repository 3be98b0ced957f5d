#pragma once

#include "helpers/AppError.h"

#include <QByteArray>
#include <QString>
#include <functional>

// Hands a mail link to the desktop, whose mail program opens a pre-filled message. Called
// once per confirmed send; it never waits on the mail program.
class MailHandoff
{
public:
    // Told of a failure found after openMailLink has returned.
    using FailureReport = std::function<void(const AppError &)>;

    virtual ~MailHandoff() = default;

    // link: the complete, already percent-encoded link (ASCII). Throws AppError (see
    // AppError::NoMailProgram) when the desktop refuses it at once; a failure known only later
    // goes to the failure report.
    virtual void openMailLink(const QByteArray &link) = 0;

    // Where later failures go; without one they are dropped. The window raises them in its
    // guarded call, like any other error.
    void setFailureReport(FailureReport report) { m_failureReport = std::move(report); }

protected:
    void reportFailure(const AppError &error) const
    {
        if (m_failureReport)
            m_failureReport(error);
    }

private:
    FailureReport m_failureReport;
};
