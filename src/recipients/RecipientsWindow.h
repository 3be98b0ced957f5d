#pragma once

#include <QString>

// What the recipient commands ask of the main window: the current recipient, which is the
// caption of the recipient pane (panel_emails) and the one text a send mails to, and the send
// button's caption.
class RecipientsWindow
{
public:
    virtual ~RecipientsWindow() = default;

    virtual QString currentRecipient() const = 0;
    virtual void setCurrentRecipient(const QString &recipient) = 0;
    virtual void setSendButtonCaption(const QString &caption) = 0;
};
