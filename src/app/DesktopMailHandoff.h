#pragma once

#include "dispatch/MailLauncher.h"

// Hands a mail link to the desktop's handler for mailto links, without waiting for it:
// through xdg-open, started and watched by MailLauncher, so that a link no mail program
// opened is told to the user; inside a Flatpak or Snap sandbox, through the desktop portal
// (QDesktopServices), whose answer is all there is to know.
class DesktopMailHandoff : public MailHandoff
{
public:
    DesktopMailHandoff();
    void openMailLink(const QByteArray &link) override;

private:
    MailLauncher m_launcher;
};
