#include "recipients/ExtractEmail.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

// The regular expression engine refuses a text holding a lone surrogate (a damaged UTF-16
// file gives such lines) and then finds nothing at all. A lone surrogate is no word
// character, so U+FFFD in its place leaves every address where it was.
static QString WithoutLoneSurrogates(const QString &line)
{
    QString clean = line;
    for (qsizetype i = 0; i < clean.size(); ++i) {
        if (clean[i].isHighSurrogate() && i + 1 < clean.size() && clean[i + 1].isLowSurrogate())
            ++i;
        else if (clean[i].isSurrogate())
            clean[i] = QChar::ReplacementCharacter;
    }
    return clean;
}

QString ExtractEmail(const QString &line)
{
    // No Unicode properties: \w stays ASCII, as the recipient lists were written for.
    static const QRegularExpression address(u"([\\w_\\-\\.]+@\\w+\\.\\w{2,5})"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = address.match(line.isValidUtf16() ? line : WithoutLoneSurrogates(line));
    return match.hasMatch() ? match.captured(1) : QString();
}
