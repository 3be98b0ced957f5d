#pragma once

#include "dispatch/MailHandoff.h"

// Hands the link to the desktop's handler for mail links.
class DesktopMailHandoff : public MailHandoff
{
public:
    void openMailLink(const QByteArray &link) override;
};
