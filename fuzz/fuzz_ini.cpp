// The configuration file through real files: any bytes as the file; the keys it holds are
// read, one key (listed or new, in a listed or new section) is written, and then that key
// reads back the value written while every other key still reads as before.
// fuzz_inimemory checks the same and more in memory, many times faster.
#include "FuzzCheck.h"
#include "IniKeys.h"

#include "files/IniCodec.h"
#include "files/IniFile.h"
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

    const QString text = DecodeIniBytes(bytes).text;
    const auto keys = ListIniKeys(text);
    const QString absent = QStringLiteral("\x01absent");
    QStringList before;
    for (const auto &[section, key] : keys)
        before.append(IniReadString(section, key, absent, path));

    const auto [section, key, value] = ChooseIniWrite(keys, choice, valueSeed, bytes);

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
        if (SameIniName(s, section) && SameIniName(k, key))
            continue;
        const QString after = IniReadString(s, k, absent, path);
        FUZZ_CHECK(after == before.at(i),
                   QStringLiteral("[%1] %2: was %3, now %4")
                       .arg(Escaped(s), Escaped(k), Escaped(before.at(i)), Escaped(after)));
    }
    return 0;
}
