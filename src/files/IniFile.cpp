#include "files/IniFile.h"

#include "files/FileIo.h"
#include "files/IniCodec.h"
#include "helpers/AppError.h"

#include <cerrno>
#include <limits>

using namespace Qt::StringLiterals;

// The configuration file is edited line by line: a write replaces the value of one line (or
// adds one line, or one section and its line) and leaves every other byte as it was, so that
// comments, blank lines, unknown lines, zero bytes and the file's own line breaks survive.

namespace {

constexpr qsizetype kMaxValueLength = 2047;

struct IniFileText
{
    IniText ini; // a new file is UTF-8 without a mark
    bool readable = true; // false: the file exists but cannot be read
};

IniFileText ReadIni(const QString &path)
{
    IniFileText file;
    FileReadResult read = ReadWholeFile(path);
    if (read.error == 0)
        file.ini = DecodeIniBytes(read.bytes);
    else if (read.error != ENOENT)
        file.readable = false;
    return file;
}

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView TrimBlanks(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

bool SameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a key stands in the file, or where it would be added.
struct KeyLocation
{
    bool sectionFound = false;
    qsizetype sectionContentEnd = -1; // end of the last key line (or the header) of the first match
    bool keyFound = false;
    qsizetype lineStart = 0; // the key's line
    qsizetype equalsPos = 0;
    qsizetype lineEnd = 0;
};

KeyLocation FindKey(const QString &text, QStringView section, QStringView key)
{
    KeyLocation loc;
    bool inSection = false; // inside a section of that name
    bool inFirstSection = false; // inside the first one, where a new key is added
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = QStringView(text).sliced(start, end - start);
        const QStringView trimmed = TrimBlanks(line);
        if (trimmed.startsWith(u'[')) {
            // The name is what stands between "[" and the last "]", exactly as a write puts it
            // there: an executable's name may hold "]" or begin or end with a space.
            const qsizetype close = trimmed.lastIndexOf(u']');
            const QStringView name = trimmed.sliced(1, (close < 0 ? trimmed.size() : close) - 1);
            inSection = SameName(name, section);
            inFirstSection = inSection && !loc.sectionFound;
            if (inFirstSection) {
                loc.sectionFound = true;
                loc.sectionContentEnd = end;
            }
        } else if (inSection) {
            const qsizetype eq = line.indexOf(u'=');
            const bool isKey = eq >= 0 && !trimmed.startsWith(u';') && !trimmed.startsWith(u'#');
            // A comment or a blank line after the last key belongs to what follows.
            if (inFirstSection && isKey)
                loc.sectionContentEnd = end;
            if (isKey && SameName(TrimBlanks(line.first(eq)), key)) {
                loc.keyFound = true;
                loc.lineStart = start;
                loc.equalsPos = start + eq;
                loc.lineEnd = end;
                return loc;
            }
        }
        // One line break: CR LF, CR or LF.
        start = end;
        if (start < n && text[start] == u'\r')
            ++start;
        if (start < n && text[start] == u'\n')
            ++start;
    }
    return loc;
}

QString LineBreakOf(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] != u'\r' && text[i] != u'\n')
        ++i;
    if (i == text.size())
        return u"\r\n"_s; // a new file: the line break of the original platform
    if (text[i] == u'\r')
        return (i + 1 < text.size() && text[i + 1] == u'\n') ? u"\r\n"_s : u"\r"_s;
    return u"\n"_s;
}

} // namespace

QString IniReadText(const QString &path)
{
    return ReadIni(path).ini.text;
}

bool IniTextValue(const QString &text, const QString &section, const QString &key, QString &value)
{
    const KeyLocation loc = FindKey(text, section, key);
    if (!loc.keyFound)
        return false;
    const QStringView stored = TrimBlanks(QStringView(text).sliced(loc.equalsPos + 1, loc.lineEnd - loc.equalsPos - 1));
    value = stored.first(qMin(stored.size(), kMaxValueLength)).toString();
    return true;
}

void IniTextSetValue(QString &text, const QString &section, const QString &key, const QString &value)
{
    const KeyLocation loc = FindKey(text, section, key);
    if (loc.keyFound) {
        text.replace(loc.equalsPos + 1, loc.lineEnd - loc.equalsPos - 1, value);
        return;
    }
    const QString brk = LineBreakOf(text);
    const QString line = key + u'=' + value;
    if (loc.sectionFound) {
        text.insert(loc.sectionContentEnd, brk + line);
    } else {
        if (!text.isEmpty() && !text.endsWith(u'\r') && !text.endsWith(u'\n'))
            text += brk;
        text += u'[' + section + u']' + brk + line + brk;
    }
}

QString IniReadString(const QString &section, const QString &key, const QString &defaultValue, const QString &path)
{
    QString value;
    return IniTextValue(ReadIni(path).ini.text, section, key, value) ? value : defaultValue;
}

void IniWriteString(const QString &section, const QString &key, const QString &value, const QString &path)
{
    const auto refuse = [&] { return AppError::CannotWriteConfiguration(path); };
    // A line break would cut the line and forge other lines of the file. The callers refuse
    // such a value before they change anything; this is the last guard.
    const auto holdsBreak = [](const QString &s) { return s.contains(u'\r') || s.contains(u'\n'); };
    if (holdsBreak(value) || holdsBreak(section) || holdsBreak(key))
        throw AppError::ConfigurationValueHoldsLineBreak(path);
    IniFileText file = ReadIni(path);
    if (!file.readable)
        throw refuse(); // never replace a file that could not be read
    IniTextSetValue(file.ini.text, section, key, value);
    if (WriteFileAtomically(path, EncodeIniText(file.ini)).failure != FileWriteResult::None)
        throw refuse();
}

int IniReadInteger(const QString &section, const QString &key, int defaultValue, const QString &path)
{
    int value = 0;
    return TryParseIniInteger(IniReadString(section, key, QString(), path), value) ? value : defaultValue;
}

void IniWriteInteger(const QString &section, const QString &key, int value, const QString &path)
{
    IniWriteString(section, key, QString::number(value), path);
}

static int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool TryParseIniInteger(const QString &text, int &value)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    if (i == n)
        return false;

    bool hex = false;
    if (text[i] == u'$' || text[i] == u'x' || text[i] == u'X') {
        hex = true;
        ++i;
    } else if (text[i] == u'0' && i + 1 < n && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i == n)
        return false;

    if (hex) {
        quint32 bits = 0;
        int significant = 0;
        for (; i < n; ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0)
                return false;
            if (significant > 0 || d != 0)
                ++significant;
            if (significant > 8)
                return false;
            bits = (bits << 4) | quint32(d);
        }
        value = int(negative ? 0u - bits : bits); // a 32-bit pattern, read as signed
        return true;
    }

    qint64 magnitude = 0;
    for (; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u < u'0' || u > u'9')
            return false;
        magnitude = magnitude * 10 + (u - u'0');
        if (magnitude > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    const qint64 signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int>::max())
        return false;
    value = int(signedValue);
    return true;
}

int ParseIniInteger(const QString &text)
{
    int value = 0;
    if (!TryParseIniInteger(text, value))
        throw AppError::NotAnInteger(text);
    return value;
}

QStringList SplitString(const QString &text, const QString &delimiter)
{
    QStringList parts;
    if (delimiter.isEmpty()) { // an empty delimiter is found everywhere: nothing to split at
        if (!text.isEmpty())
            parts.append(text);
        return parts;
    }
    qsizetype from = 0;
    for (qsizetype at; (at = text.indexOf(delimiter, from)) >= 0; from = at + delimiter.size())
        parts.append(text.sliced(from, at - from));
    if (from < text.size())
        parts.append(text.sliced(from));
    return parts;
}
