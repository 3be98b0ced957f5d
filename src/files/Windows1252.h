#pragma once

#include <array>

// The Windows-1252 code page, byte by byte. The five bytes it leaves undefined (81, 8D, 8F,
// 90, 9D) stand for the control characters of the same value, so that any byte string
// survives a load and a save.
inline constexpr std::array<char16_t, 256> Windows1252Table = [] {
    constexpr char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = (b >= 0x80 && b < 0xA0) ? high[b - 0x80] : char16_t(b);
    return table;
}();
