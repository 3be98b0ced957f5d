#pragma once

#include <QByteArray>
#include <QStringList>

// The two versions of a large recipient list that the save loop writes in turn: different
// lines and a different length, so that any mix or cut of the two is told from both.
inline QStringList SaveLoopLines(char version)
{
    const qsizetype count = version == 'A' ? 200000 : 200001;
    QStringList lines;
    lines.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        lines.append(QStringLiteral("Élève %1 %2 <eleve.%1@exemple.test>").arg(i).arg(QLatin1Char(version)));
    return lines;
}

// The file's bytes for a version: UTF-8 without a mark, every line ended by CR LF.
inline QByteArray SaveLoopBytes(char version)
{
    return (SaveLoopLines(version).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}
