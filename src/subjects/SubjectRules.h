#pragma once

#include "helpers/AsciiCase.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

class Dialogs;
class SubjectList;

// Appends text to the list unless it is already there: equal to an entry, or empty, once
// both are folded by AsciiUpper. Nothing is trimmed. With notify, a new entry is announced
// with an information notice. Returns true when the text was added.
bool AddIfNew(SubjectList &list, const QString &text, bool notify, Dialogs &dialogs);

// What the subject field shows after a completed keystroke.
struct SubjectCompletion
{
    QString text; // the entry, letter case as listed
    qsizetype selectionStart; // the added rest is selected...
    qsizetype selectionLength; // ...so that the next keystroke replaces it
    int entryIndex; // the entry completed to
};

// Typing completion: the text the field would hold after the keystroke (before the caret or
// selection, the typed text, after the selection) is looked up among the entries; the first
// entry in list order that begins with it, without regard to letter case, completes it.
// The field then shows the entry as listed, not the letters as typed: document names follow
// the letter case of the file system, and a completed subject must name the entry's own
// documents (typing "r" for Relance must not open an empty pair "relance.MSGX").
// No value when no entry begins with it: the keystroke is then typed as usual.
std::optional<SubjectCompletion> CompleteSubject(const QStringList &entries, QStringView before, QStringView typed,
                                                 QStringView after);
