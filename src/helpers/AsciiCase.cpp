#include "helpers/AsciiCase.h"

static QString ShiftAsciiRange(QStringView text, char16_t first, char16_t last, int shift)
{
    QString result = text.toString();
    for (QChar &c : result) {
        const char16_t u = c.unicode();
        if (u >= first && u <= last)
            c = QChar(char16_t(u + shift));
    }
    return result;
}

QString AsciiUpper(QStringView text)
{
    return ShiftAsciiRange(text, u'a', u'z', u'A' - u'a');
}

QString AsciiLower(QStringView text)
{
    return ShiftAsciiRange(text, u'A', u'Z', u'a' - u'A');
}
