// The configuration file's integer rule against a plain reading of it, every int written by
// the program read back as itself, and SplitString against a plain left-to-right split.
#include "FuzzCheck.h"

#include "files/IniFile.h"
#include "helpers/AppError.h"

#include <QStringList>

#include <cstring>
#include <limits>
#include <optional>

namespace {

bool IsDecimal(QChar c)
{
    return c >= u'0' && c <= u'9';
}
bool IsHex(QChar c)
{
    return IsDecimal(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Leading spaces; an optional sign; then either "$", "x", "X", "0x" or "0X" and 1 to 8 hex
// digits (leading zeros not counted), whose 32-bit pattern is the value, negated for "-";
// or decimal digits whose value lies in the 32-bit signed range. Nothing else.
std::optional<int> ReferenceInteger(const QString &text)
{
    QString s = text;
    while (s.startsWith(u' '))
        s.remove(0, 1);
    bool negative = false;
    if (s.startsWith(u'-') || s.startsWith(u'+')) {
        negative = s.startsWith(u'-');
        s.remove(0, 1);
    }
    bool hex = false;
    if (s.startsWith(u'$') || s.startsWith(u'x') || s.startsWith(u'X')) {
        hex = true;
        s.remove(0, 1);
    } else if (s.startsWith(u"0x") || s.startsWith(u"0X")) {
        hex = true;
        s.remove(0, 2);
    }
    if (s.isEmpty())
        return std::nullopt;
    for (QChar c : s)
        if (!(hex ? IsHex(c) : IsDecimal(c)))
            return std::nullopt;
    QString digits = s;
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (hex) {
        if (digits.size() > 8)
            return std::nullopt;
        const quint32 bits = digits.toUInt(nullptr, 16);
        return int(negative ? 0u - bits : bits);
    }
    if (digits.size() > 10)
        return std::nullopt;
    const qint64 magnitude = digits.toLongLong();
    const qint64 v = negative ? -magnitude : magnitude;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(v);
}

void CheckInteger(const QString &text)
{
    int value = 12345;
    const bool ok = TryParseIniInteger(text, value);
    const std::optional<int> expected = ReferenceInteger(text);
    FUZZ_CHECK(ok == expected.has_value(), Escaped(text));
    if (ok)
        FUZZ_CHECK(value == *expected,
                   Escaped(text) + QStringLiteral(" gave %1, expected %2").arg(value).arg(*expected));
    try {
        const int parsed = ParseIniInteger(text);
        FUZZ_CHECK(ok && parsed == value, Escaped(text));
    } catch (const AppError &e) {
        FUZZ_CHECK(!ok, Escaped(text));
        FUZZ_CHECK(e.message() == QStringLiteral("''%1'' n'est pas une valeur entière valide").arg(text), e.message());
    }
}

// Non-overlapping occurrences from left to right; a text ending with the delimiter gives no
// empty last part, an empty text no part; an empty delimiter never splits.
QStringList ReferenceSplit(const QString &text, const QString &delimiter)
{
    QStringList parts;
    if (delimiter.isEmpty())
        return text.isEmpty() ? parts : QStringList{text};
    QString current;
    qsizetype i = 0;
    while (i < text.size()) {
        if (QStringView(text).sliced(i).startsWith(delimiter)) {
            parts.append(current);
            current.clear();
            i += delimiter.size();
        } else {
            current += text[i++];
        }
    }
    if (!current.isEmpty())
        parts.append(current);
    return parts;
}

void CheckSplit(const QString &text, const QString &delimiter)
{
    const QStringList parts = SplitString(text, delimiter);
    FUZZ_CHECK(parts == ReferenceSplit(text, delimiter), Escaped(text) + QStringLiteral(" / ") + Escaped(delimiter));
    if (delimiter.isEmpty())
        return;
    // Joined again, the parts give the text, or the text without its final delimiter.
    const QString joined = parts.join(delimiter);
    FUZZ_CHECK(joined == text || joined + delimiter == text,
               Escaped(text) + QStringLiteral(" / ") + Escaped(delimiter));
    for (const QString &part : parts)
        FUZZ_CHECK(!part.contains(delimiter), Escaped(part));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    CheckInteger(QString::fromLatin1(bytes));
    CheckInteger(RawUtf16(data, size));

    // Every int the program writes reads back as itself.
    if (size >= 4) {
        qint32 v;
        std::memcpy(&v, data, 4);
        int back = 0;
        FUZZ_CHECK(TryParseIniInteger(QString::number(v), back) && back == v, QString::number(v));
    }

    // SplitString: the first byte says how long the delimiter is, the rest is the text.
    if (size >= 1) {
        const qsizetype delimiterLength = qMin<qsizetype>(data[0] % 4, qsizetype(size) - 1);
        const QString delimiter = QString::fromLatin1(bytes.mid(1, delimiterLength));
        CheckSplit(QString::fromLatin1(bytes.mid(1 + delimiterLength)), delimiter);
    }
    return 0;
}
