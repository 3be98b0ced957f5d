#pragma once

#include <QtGlobal>

#include <vector>

// Finds a key in a text of one-byte characters (NarrowCodePage), both sides compared upper
// case, unit for unit, through the code page's table: the case-insensitive search without an
// upper-case copy of the text.
class FoldedByteSearch
{
public:
    // upperKey: the key already upper-cased; not empty.
    explicit FoldedByteSearch(const std::vector<char16_t> &upperKey);

    // The first position p >= from with p + key length <= end where the key matches; -1 when
    // there is none.
    qsizetype next(const char *text, qsizetype from, qsizetype end) const;

    bool matchesAt(const char *text) const;

private:
    qsizetype nextHorspool(const char *text, qsizetype from, qsizetype end) const;

    std::vector<char16_t> m_key;
    qsizetype m_length;
    qsizetype m_shift[256];
    bool m_endsKey[256];
    // The bytes standing for the key's first and last units, when at most two each: a wide
    // filter then tests sixteen places at once.
    bool m_wideFilter = false;
    quint8 m_first[2] = {0, 0};
    quint8 m_last[2] = {0, 0};
};
