#include "recipients/NarrowCodePage.h"

#include "files/Windows1252.h"

#include <QChar>

#include <memory>
#include <vector>

namespace NarrowCodePage {

namespace {

Tables *build()
{
    auto *t = new Tables;
    for (int u = 0; u < 65536; ++u) {
        t->encode[u] = NoByte;
        t->foldShadow[u] = NoByte;
    }
    for (int b = 0; b < 256; ++b) {
        const char16_t unit = Windows1252Table[size_t(b)];
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
