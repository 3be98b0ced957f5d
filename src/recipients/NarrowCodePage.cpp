#include "recipients/NarrowCodePage.h"

#include <QChar>

#include <memory>
#include <vector>

namespace NarrowCodePage {

namespace {

// Windows-1252 at 0x80-0x9F; 0 where it defines nothing (the byte then stands for itself).
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

Tables *build()
{
    auto *t = new Tables;
    for (int u = 0; u < 65536; ++u) {
        t->encode[u] = NoByte;
        t->foldShadow[u] = NoByte;
    }
    for (int b = 0; b < 256; ++b) {
        char16_t unit = char16_t(b);
        if (b >= 0x80 && b < 0xA0 && kWindows1252High[b - 0x80] != 0)
            unit = kWindows1252High[b - 0x80];
        t->decode[b] = unit;
        t->upper[b] = QChar(unit).toUpper().unicode();
        t->encode[unit] = quint16(b);
    }
    // Shadow bytes: every unit whose upper case is the upper case of some byte.
    std::vector<quint16> byteOfUpper(65536, NoByte);
    for (int b = 255; b >= 0; --b)
        byteOfUpper[t->upper[b]] = quint16(b);
    for (int u = 0; u < 65536; ++u) {
        if (t->encode[u] != NoByte)
            t->foldShadow[u] = t->encode[u];
        else
            t->foldShadow[u] = byteOfUpper[QChar(char16_t(u)).toUpper().unicode()];
    }
    return t;
}

} // namespace

const Tables &tables()
{
    static const std::unique_ptr<const Tables> instance(build());
    return *instance;
}

} // namespace NarrowCodePage
