#pragma once

#include <QByteArray>

// Hands a mail link to the desktop, whose mail program opens a pre-filled message.
// Called once per confirmed send; the outcome is not used.
class MailHandoff
{
public:
    virtual ~MailHandoff() = default;
    // link: the complete, already percent-encoded link (ASCII).
    virtual void openMailLink(const QByteArray &link) = 0;
};
