#pragma once

#include <QByteArray>

#include <unicode/ucol.h>

#include <array>

// The ICU collator QCollator makes for a locale name when it ignores case (secondary strength,
// normalization on, punctuation counted, no numeric order), or null. The caller closes it.
UCollator *OpenCaseBlindCollator(const QByteArray &name);

// How a collator orders the recipient list's one-byte characters (NarrowCodePage), read once
// from ICU: each byte's collation elements as ranks, primary (the letter) and secondary (its
// accent). Two lines of such bytes compare as ICU compares them by their primary ranks, then
// by their secondary ranks, when the collator reads each of these characters on its own: no
// accents compared from the end, no case level, no script reordering; a byte that can close a
// contraction (such as the middle dot of "l·") is special and needs ICU itself.
struct NarrowCollation
{
    static constexpr int MaxElements = 4;
    struct Byte
    {
        std::array<quint8, MaxElements> primary; // ranks from 1
        std::array<quint8, MaxElements> secondary;
        quint8 primaryCount = 0;
        quint8 secondaryCount = 0;
        bool special = false;
    };
    std::array<Byte, 256> bytes;
};

// The table of the case-blind collator of that name, or null when its order cannot be read
// byte by byte. Made once per name; the table lives as long as the program.
const NarrowCollation *NarrowCollationFor(const QByteArray &collatorName);
