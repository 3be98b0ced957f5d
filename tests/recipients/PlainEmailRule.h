#pragma once

#include <QString>

// The address search written out by hand, without a regular expression: a reference that
// ExtractEmail must agree with on every line (used by the unit test and the fuzz target).
//
// For each "@" from left to right: L is the run of local characters (ASCII letters, digits,
// "_", "-", ".") ending right before it, D the run of word characters (ASCII letters, digits,
// "_") starting right after it, T the run of word characters starting after the character
// that follows D. The "@" qualifies when L and D are not empty, D is followed by "." and T
// has at least 2 characters; the first qualifying one gives L "@" D "." and T cut to 5.
inline QString PlainEmailRule(const QString &line)
{
    const auto isWord = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_';
    };
    const auto isLocal = [&](QChar c) { return isWord(c) || c == u'-' || c == u'.'; };
    const auto wordRunFrom = [&](qsizetype from) {
        qsizetype end = from;
        while (end < line.size() && isWord(line.at(end)))
            ++end;
        return end - from;
    };

    for (qsizetype at = 0; at < line.size(); ++at) {
        if (line.at(at) != u'@')
            continue;
        qsizetype start = at;
        while (start > 0 && isLocal(line.at(start - 1)))
            --start;
        const qsizetype localLength = at - start;
        const qsizetype domainLength = wordRunFrom(at + 1);
        const qsizetype dot = at + 1 + domainLength;
        if (localLength == 0 || domainLength == 0 || dot >= line.size() || line.at(dot) != u'.')
            continue;
        const qsizetype endingLength = wordRunFrom(dot + 1);
        if (endingLength < 2)
            continue;
        return line.mid(start, dot + 1 + qMin<qsizetype>(endingLength, 5) - start);
    }
    return QString();
}
