#pragma once

#include <QByteArray>
#include <QString>

// The mail that "Envoyer" hands to the desktop: its body, its link and the confirmation
// the user reads first.

// The message, three line breaks (CR LF) and the signature.
QString ComposeMailBody(const QString &message, const QString &signature);

// "mailto:" recipient "?subject=" subject "&body=" body: each text as UTF-8, percent-encoded
// except the unreserved characters A-Z a-z 0-9 - . _ ~ (and "@" in the recipient), so that
// line breaks arrive as %0D%0A and no "&", "#", "?" or "%" typed by the user can cut a text
// or add a header field. The result is plain ASCII.
QByteArray ComposeMailLink(const QString &recipient, const QString &subject, const QString &body);

// The longest link the desktop's launcher can be given. The link reaches the mail program as
// one program argument, and Linux takes no argument longer than MAX_ARG_STRLEN (32 pages of
// 4 KiB, 131,072 bytes) counting its terminating zero: beyond it the program is not started
// at all (E2BIG).
inline constexpr qsizetype MaxMailLinkBytes = 131071;

// The bytes that go to the launcher for a link: what Qt's URL gives back for it, as
// QDesktopServices would pass them. A link composed by ComposeMailLink comes back unchanged.
QByteArray MailLinkArgument(const QByteArray &link);

// The text of the confirmation box: subject and recipient as typed, between empty lines,
// closed by a row of 40 hyphens.
QString ComposeSendConfirmation(const QString &subject, const QString &recipient);
