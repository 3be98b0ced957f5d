#pragma once

#include <QString>

// The memos' two forms of one text. The text editor holds line breaks as LF; the message and
// signature holders give and take CR LF. In both directions CR LF, a lone CR and a lone LF
// each count as one line break, as when a document is loaded (so LF followed by CR is two).
// A text ending with a line break keeps it.

// The editor's text with every line break made CR LF.
QString CrLfFromEditor(const QString &editorText);
// A holder's text with every line break made LF, for the editor.
QString EditorFromCrLf(const QString &crLfText);
