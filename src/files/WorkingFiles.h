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

// The one working-file record, alive for the whole run.
inline TFILES FILES;
