#pragma once

#include "recipients/RecipientList.h"

#include <QStringList>

// Fills a recipient list from plain strings, and reads its lines and marks back.
inline void fill(RecipientList &list, const QStringList &lines)
{
    QList<QStringView> views;
    for (const QString &line : lines)
        views.append(line);
    list.replaceLines(views);
}

inline QStringList linesOf(const RecipientList &list)
{
    QStringList lines;
    for (qsizetype i = 0; i < list.lineCount(); ++i)
        lines.append(list.lineAt(i));
    return lines;
}

inline QList<int> marksOf(const RecipientList &list)
{
    QList<int> marks;
    for (qsizetype i = 0; i < list.lineCount(); ++i)
        if (list.isMarked(i))
            marks.append(int(i));
    return marks;
}
