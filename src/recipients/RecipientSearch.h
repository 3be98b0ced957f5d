#pragma once

#include <QString>

class Dialogs;
class RecipientList;

// Substring search from start, ignoring case (each UTF-16 unit upper-cased on its own, so é
// matches É); no wrap-around; an empty text is in no line. Selects the line found and stores
// its index as the search position; when none is found, leaves the selection alone and
// stores the number of lines. Returns the stored position.
qsizetype FindInListFrom(RecipientList &list, const QString &text, qsizetype start);

// The first line, from the top, that begins with text, ignoring case; -1 when none does.
// An empty text begins no line here: -1. Touches neither the selection nor the search position.
qsizetype FindPrefixInList(const RecipientList &list, const QString &text);

// The incremental search: the text of Edit1 has changed (typed, erased, pasted or cleared).
void Edit1Change(RecipientList &list, const QString &edit1Text);
// "Suivant", and Tab in Edit1: the next line holding the text, after the search position.
void NextClick(RecipientList &list, const QString &edit1Text);
// Escape: once the window has emptied Edit1 (which runs Edit1Change), the search starts over
// and no line stays selected. The window then gives Edit1 the focus.
void ResetSearch(RecipientList &list);
// "Rechercher": asks for a text and selects the first line that begins with it.
void FindByPrefix(RecipientList &list, Dialogs &dialogs);

// Milliseconds from a steady clock; tests give their own.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual qint64 nowMs() const = 0;
};

class SteadyClock : public Clock
{
public:
    qint64 nowMs() const override;
};

// Typing in the list: characters typed less than 500 ms apart build a prefix, and the list
// jumps to the first line that begins with it.
class TypeAhead
{
public:
    explicit TypeAhead(const Clock &clock) : m_clock(clock) {}

    // One character typed while the list has the focus (any but Enter, Escape and Tab; "\b"
    // is Backspace). The line it jumps to becomes the user's choice, also when it was already
    // selected, and its index is returned; -1 when the selection does not change.
    qsizetype typed(RecipientList &list, QChar character);

    const QString &prefix() const { return m_prefix; }

private:
    const Clock &m_clock;
    QString m_prefix;
    qint64 m_lastTypedMs = 0;
    bool m_typedBefore = false;
};
