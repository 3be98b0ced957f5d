#pragma once

#include <QCursor>
#include <QList>

// The busy cursor while a command that may take a while works (a load, a sort, a save…):
// set from its making to its end, whatever way the command ends, so that an error report
// after it meets the normal cursor. It is shown at once, before the work starts; for a command
// that first asks the user, once the box is closed (it never shows while a box waits).
class BusyCursor
{
public:
    enum When { Now, AfterTheQuestion };
    explicit BusyCursor(When when = Now);
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// While a box waits for the user: the cursors the program set are lifted, and set again once
// the box is closed, so that a box never opens under the busy cursor.
class CursorLift
{
public:
    CursorLift();
    ~CursorLift();
    CursorLift(const CursorLift &) = delete;
    CursorLift &operator=(const CursorLift &) = delete;

private:
    QList<QCursor> m_lifted; // innermost first
};
