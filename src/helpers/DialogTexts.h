#pragma once

#include "helpers/Dialogs.h"

#include <QList>
#include <QString>
#include <optional>

// The fixed texts and rules of the modal boxes, without any widget: the window's Qt boxes
// use them, and they are tested on their own.

// The title of the application for an executable file: its file name without directory,
// cut at its first ".", every character after the first one in lower case
// ("/opt/OUTIL.MAIL.EXE" gives "Outil").
QString ApplicationTitle(const QString &exeFilePath);

// The process-wide application title, computed once at start-up. SetAppTitle fixes it;
// until then AppTitle() computes it once from the running executable's path.
const QString &AppTitle();
void SetAppTitle(const QString &title);

// The title of a box of the given kind ("Avertissement", "Erreur", ..., the application
// title for a plain box).
QString MsgKindTitle(MsgKind kind);

// A button's caption, with its access-key marker ("Fer&mer").
QString MsgButtonCaption(MsgButton button);
// A caption as read aloud or copied: every "&" removed.
QString CaptionWithoutAccessKey(const QString &caption);

// The button focused when the box opens and pressed by Enter: the caller's choice when it
// is among the buttons, otherwise OK when OK is among them, otherwise none.
std::optional<MsgButton> EffectiveDefaultButton(const QList<MsgButton> &buttons, std::optional<MsgButton> requested);
// The button pressed by Escape: Cancel, else OK, else none.
std::optional<MsgButton> CancelButtonOf(const QList<MsgButton> &buttons);

// The text of the error report: a "." is appended when the message is not empty and its last
// character comes after "." in code order (so ".", "!", ")", a space, "-" or a line break
// end it as it is).
QString ErrorReportText(const QString &message);

// What Ctrl+C puts on the clipboard for a message box: the title, the text and the button
// captions between lines of 27 hyphens, every line ended by CR LF.
QString MessageBoxClipboardText(const QString &title, const QString &text, const QList<MsgButton> &buttons);
