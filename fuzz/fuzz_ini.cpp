// The configuration file: any bytes as the file; the keys it holds are read, one key (listed
// or new, in a listed or new section) is written, and then that key reads back the value
// written while every other key still reads as before.
#include "FuzzCheck.h"

#include "files/IniFile.h"
#include "files/TextCodec.h"
#include "helpers/AppError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <utility>

namespace {

QString WorkPath()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/ferravel-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/ferravel-fuzz-XXXXXX"));
    return dir.filePath(QStringLiteral("Ferravel.INI"));
}

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString TrimBlanks(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b).toString();
}

// The section and key names of an INI text, listed the plain way: "[name]" lines open a
// section, "name=value" lines inside one are keys, ";" and "#" lines are comments.
QList<std::pair<QString, QString>> ListKeys(const QString &text)
{
    QList<std::pair<QString, QString>> keys;
    QString section;
    bool inSection = false;
    for (QStringView line : SplitLines(text)) {
        const QString trimmed = TrimBlanks(line);
        if (trimmed.startsWith(u'[')) {
            const qsizetype close = trimmed.indexOf(u']');
            section = TrimBlanks(QStringView(trimmed).sliced(1, (close < 0 ? trimmed.size() : close) - 1));
            inSection = true;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inSection || eq < 0 || trimmed.startsWith(u';') || trimmed.startsWith(u'#'))
            continue;
        keys.append({section, TrimBlanks(line.first(eq))});
        if (keys.size() == 64)
            break;
    }
    return keys;
}

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes choose what is written; the rest is the file.
    const uint8_t choice = data[0];
    const uint8_t valueSeed = data[1];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    const QString path = WorkPath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            FuzzFail("cannot write the work file");
    }

    const QString text = DecodeTextBytes(bytes).text;
    const auto keys = ListKeys(text);
    const QString absent = QStringLiteral("\x01absent");
    QStringList before;
    for (const auto &[section, key] : keys)
        before.append(IniReadString(section, key, absent, path));

    // The key written: a listed one, a new key in a listed section, or a new section.
    QString section = QStringLiteral("FuzzSection");
    QString key = QStringLiteral("FuzzKey");
    if (!keys.isEmpty() && choice % 3 != 2) {
        const auto &picked = keys.at(qsizetype(choice / 3) % keys.size());
        section = picked.first;
        if (choice % 3 == 0)
            key = picked.second;
    }
    // A value as the program writes them: one line, without surrounding blanks.
    QString value = QString::fromUtf8(bytes.right(valueSeed % 24));
    value.remove(QChar(0)).replace(u'\r', u'_').replace(u'\n', u'_');
    value = TrimBlanks(value);
    if (valueSeed & 0x80)
        value += QStringLiteral("é€\U0001F600"); // beyond Windows-1252

    try {
        IniWriteString(section, key, value, path);
    } catch (const AppError &e) {
        FuzzFail("writing to a plain file failed", e.message());
    }
    FUZZ_CHECK(
        IniReadString(section, key, absent, path) == value,
        QStringLiteral("[%1] %2: wrote %3, read %4")
            .arg(Escaped(section), Escaped(key), Escaped(value), Escaped(IniReadString(section, key, absent, path))));
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const auto &[s, k] = keys.at(i);
        if (SameName(s, section) && SameName(k, key))
            continue;
        const QString after = IniReadString(s, k, absent, path);
        FUZZ_CHECK(after == before.at(i),
                   QStringLiteral("[%1] %2: was %3, now %4")
                       .arg(Escaped(s), Escaped(k), Escaped(before.at(i)), Escaped(after)));
    }
    return 0;
}
