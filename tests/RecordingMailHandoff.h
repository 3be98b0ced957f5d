#pragma once

#include "dispatch/MailHandoff.h"

#include <QByteArrayList>
#include <optional>

// A hand-off for tests: keeps every link instead of opening a mail program. It can also
// refuse a link at once, or report a failure later, as the desktop's hand-off does.
class RecordingMailHandoff : public MailHandoff
{
public:
    QByteArrayList links;
    std::optional<AppError> refusal; // thrown by openMailLink after the link is kept

    void openMailLink(const QByteArray &link) override
    {
        links.append(link);
        if (refusal)
            throw *refusal;
    }
    // A failure found after the send has returned.
    void failLater(const AppError &error) const { reportFailure(error); }
};
