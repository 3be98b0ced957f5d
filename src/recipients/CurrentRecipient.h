#pragma once

#include <QString>

// The current recipient is the caption of the recipient pane (panel_emails): the one text
// the send command puts into the mail link. These give what the window shows there.

// Stands for the address of a line that holds none; F2 corrects the line.
QString NonConformingMarker();

// The pane's caption before any list is configured or any line chosen.
QString InitialRecipientCaption();

// The recipient for a chosen line: its first address, or the non-conforming marker.
QString RecipientForLine(const QString &line);

// The send button's caption once a recipient has been chosen.
QString SendButtonCaption(const QString &recipient);
