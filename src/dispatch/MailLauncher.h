#pragma once

#include "dispatch/MailHandoff.h"

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <chrono>
#include <memory>
#include <vector>

// How long the launcher has to say that it could not open a link. xdg-open that finds no
// handler, or whose handler fails at once, ends well within it; a launcher still running
// then has started a mail program, which may stay open for hours: that is a success.
inline constexpr std::chrono::milliseconds LaunchFailureBound{5000};

// Hands mail links to the desktop's launcher, xdg-open (found on PATH), and tells when it
// could not open one. The launcher is watched from the event loop, never waited on. It runs
// in a session of its own, reads nothing and writes to unnamed files only, never to a pipe
// back to this program: closing the window or ending the program cannot stop the mail
// program it starts, and nothing started is ever killed. A launcher that ends is reaped
// within a second, so none stays a zombie.
class MailLauncher : public MailHandoff
{
public:
    explicit MailLauncher(std::chrono::milliseconds failureBound = LaunchFailureBound);
    ~MailLauncher() override;
    MailLauncher(const MailLauncher &) = delete;
    MailLauncher &operator=(const MailLauncher &) = delete;

    // Starts xdg-open with MailLinkArgument(link) as its one argument. Throws
    // AppError::NoMailProgram when it cannot be started; when it ends with a failure within the
    // bound, the failure report is told.
    void openMailLink(const QByteArray &link) override;

    // Launchers started and not yet seen to end.
    qsizetype launchersRunning() const { return qsizetype(m_launches.size()); }

private:
    struct Launch;
    void watch();

    std::chrono::milliseconds m_failureBound;
    std::vector<std::unique_ptr<Launch>> m_launches;
    QTimer m_timer;
};

// What a launcher that failed said, fit for the user: its first non-empty line, the link
// left out (xdg-open quotes it), at most 200 characters. Empty when it said nothing.
QString LaunchFailureReason(const QByteArray &output, const QByteArray &link);
