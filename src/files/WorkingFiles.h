#pragma once

#include <QString>

// Where the data being edited goes: the recipient list file, the current subject (or the
// subjects file while the configuration loads), and the current subject's two documents.
struct TFILES
{
    QString LISTE_EMAILS;
    QString SUBJECT;
    QString Msg;
    QString SIGN;
};

// The working state the commands share, owned by the main window and given by reference to
// the commands that need it: the working files, and the program's own files beside the
// executable. A test makes its own, in a folder of its own.
struct WorkingState
{
    TFILES FILES; // all empty at start
    QString iniPath; // the configuration file
    QString geometrySection; // its section for the window's geometry: the executable's name
    QString subjectsPath; // OBJETS.TXT
};

// The state of a program started from exePath: its configuration file and OBJETS.TXT beside
// it, in its folder.
WorkingState WorkingStateBeside(const QString &exePath);
