#pragma once

#include "files/TextCodec.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

inline bool IsIniBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

inline QStringView TrimmedIniView(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && IsIniBlank(s[b]))
        ++b;
    while (e > b && IsIniBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

inline QString TrimIniBlanks(QStringView s)
{
    return TrimmedIniView(s).toString();
}

// The section and key names of a configuration text, listed the plain way: a line that opens
// with "[" (after blanks) names a section, the name reaching to its last "]"; "name=value"
// lines inside one are keys; ";" and "#" lines are comments. At most 64 keys.
inline QList<std::pair<QString, QString>> ListIniKeys(const QString &text)
{
    QList<std::pair<QString, QString>> keys;
    QString section;
    bool inSection = false;
    for (QStringView line : SplitLines(text)) {
        const QStringView trimmed = TrimmedIniView(line);
        if (trimmed.startsWith(u'[')) {
            const qsizetype close = trimmed.lastIndexOf(u']');
            section = trimmed.sliced(1, (close < 0 ? trimmed.size() : close) - 1).toString();
            inSection = true;
            continue;
        }
        if (!inSection || trimmed.startsWith(u';') || trimmed.startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        keys.append({section, TrimIniBlanks(line.first(eq))});
        if (keys.size() == 64)
            break;
    }
    return keys;
}

inline bool SameIniName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What the fuzz input's first two bytes choose to write into a file holding keys, and how the
// value is made from the file's own bytes: a listed key, a new key in a listed section, or a
// new section; a value on one line, without outer blanks, sometimes beyond Windows-1252.
struct IniWrite
{
    QString section = QStringLiteral("FuzzSection");
    QString key = QStringLiteral("FuzzKey");
    QString value;
};

inline IniWrite ChooseIniWrite(const QList<std::pair<QString, QString>> &keys, uint8_t choice, uint8_t valueSeed,
                               const QByteArray &bytes)
{
    IniWrite w;
    if (!keys.isEmpty() && choice % 3 != 2) {
        const auto &picked = keys.at(qsizetype(choice / 3) % keys.size());
        w.section = picked.first;
        if (choice % 3 == 0)
            w.key = picked.second;
    }
    QString value = QString::fromUtf8(bytes.right(valueSeed % 24));
    value.replace(u'\r', u'_').replace(u'\n', u'_');
    w.value = TrimIniBlanks(value);
    if (valueSeed & 0x80)
        w.value += QStringLiteral("é€\U0001F600"); // beyond Windows-1252
    if (valueSeed & 0x40)
        w.value += QChar(0); // a zero is an ordinary character
    return w;
}
