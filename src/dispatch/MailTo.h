#pragma once

#include "dispatch/MailHandoff.h"
#include "helpers/Dialogs.h"

#include <QString>

// The caption of the send command (and of the send button before a recipient is chosen).
QString MailToCaption();

// What the send command reads from the window when it runs.
struct MailInputs
{
    bool lineSelected = false; // a line of the recipient list is selected
    QString recipient; // the current recipient (caption of panel_emails), as it stands
    QString subject; // the subject field's text
    QString message; // the message field's whole text (CR LF line breaks)
    QString signature; // the signature field's whole text
};

// The send command: refuses with a warning when no line is selected, when the recipient or
// the subject is empty, or when the link is longer than MaxMailLinkBytes; otherwise asks for
// confirmation and, after OK only, hands the link over once. Nothing is saved or recorded.
// An AppError of the hand-off (no mail program) goes on to the caller's guarded call.
void MAILTO(const MailInputs &inputs, Dialogs &dialogs, MailHandoff &handoff);
