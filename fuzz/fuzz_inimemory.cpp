// The configuration file in memory, at the speed of memory: any bytes decode to a text that
// encodes back to the very same bytes; one key (listed or new, in a listed or new section) is
// written into the text; then that key reads back the value written, every other key reads
// as before, the bytes written decode to the edited text, and, when the file keeps its form,
// every byte outside the changed value is kept.
#include "FuzzCheck.h"
#include "IniKeys.h"

#include "files/IniCodec.h"
#include "files/IniFile.h"

#include <algorithm>

namespace {

QString Hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

template <typename T>
qsizetype CommonPrefix(const T &a, const T &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

template <typename T>
qsizetype CommonSuffix(const T &a, const T &b, qsizetype prefix)
{
    const qsizetype n = std::min(a.size(), b.size()) - prefix;
    qsizetype i = 0;
    while (i < n && a[a.size() - 1 - i] == b[b.size() - 1 - i])
        ++i;
    return i;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t choice = data[0];
    const uint8_t valueSeed = data[1];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));

    const IniText ini = DecodeIniBytes(bytes);
    const QByteArray unchanged = EncodeIniText(ini);
    FUZZ_CHECK(unchanged == bytes,
               QStringLiteral("form %1\nread  %2\nwrote %3").arg(int(ini.form)).arg(Hex(bytes), Hex(unchanged)));

    // Every byte outside the value is checked below; reading back four of the listed keys
    // checks the lookups themselves without a scan of the text per key of a long file.
    const auto listed = ListIniKeys(ini.text);
    const auto keys = listed.mid(0, 4);
    QStringList before;
    for (const auto &[s, k] : keys) {
        QString v = QStringLiteral("\x01absent");
        IniTextValue(ini.text, s, k, v);
        before.append(v);
    }
    const auto [section, key, value] = ChooseIniWrite(listed, choice, valueSeed, bytes);
    IniText edited = ini;
    IniTextSetValue(edited.text, section, key, value);
    const QByteArray written = EncodeIniText(edited);
    const IniText back = DecodeIniBytes(written);
    FUZZ_CHECK(back.text == edited.text, QStringLiteral("wrote %1").arg(Hex(written)));

    QString read;
    FUZZ_CHECK(IniTextValue(back.text, section, key, read)
                   && read == value.first(std::min<qsizetype>(value.size(), 2047)),
               QStringLiteral("[%1] %2: wrote %3, read %4")
                   .arg(Escaped(section), Escaped(key), Escaped(value), Escaped(read)));
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const auto &[s, k] = keys.at(i);
        if (SameIniName(s, section) && SameIniName(k, key))
            continue;
        QString after = QStringLiteral("\x01absent");
        IniTextValue(back.text, s, k, after);
        FUZZ_CHECK(after == before.at(i),
                   QStringLiteral("[%1] %2: was %3, now %4")
                       .arg(Escaped(s), Escaped(k), Escaped(before.at(i)), Escaped(after)));
    }

    // In the same form, only the bytes of the text replaced (at most three a character) may differ.
    if (back.form == ini.form) {
        const qsizetype textPrefix = CommonPrefix(ini.text, edited.text);
        const qsizetype replaced = ini.text.size() - textPrefix - CommonSuffix(ini.text, edited.text, textPrefix);
        const qsizetype prefix = CommonPrefix(bytes, written);
        const qsizetype kept = prefix + CommonSuffix(bytes, written, prefix);
        const qsizetype mayChange = 3 * replaced + 3;
        FUZZ_CHECK(kept + mayChange >= bytes.size(),
                   QStringLiteral("read  %1\nwrote %2").arg(Hex(bytes), Hex(written)));
    }
    return 0;
}
