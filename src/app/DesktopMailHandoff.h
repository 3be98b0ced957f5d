#pragma once

#include "dispatch/MailHandoff.h"

// Hands a mail link to the desktop's handler for mailto links (xdg-open, or the desktop
// portal inside a sandbox), without waiting for it.
class DesktopMailHandoff : public MailHandoff
{
public:
    void openMailLink(const QByteArray &link) override;
};
