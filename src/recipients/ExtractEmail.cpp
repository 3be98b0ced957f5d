#include "recipients/ExtractEmail.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

QString ExtractEmail(const QString &line)
{
    // No Unicode properties: \w stays ASCII, as the recipient lists were written for.
    static const QRegularExpression address(u"([\\w_\\-\\.]+@\\w+\\.\\w{2,5})"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = address.match(line);
    return match.hasMatch() ? match.captured(1) : QString();
}
