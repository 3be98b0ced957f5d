#pragma once

#include <QtGlobal>

// The one-byte form in which the recipient list keeps most of its lines: Windows-1252
// (files/Windows1252.h), whose letters and signs at 0x80-0x9F (€, œ, Œ, Ÿ, ’…) French lists
// hold far more often than C1 control characters; its five undefined bytes stand for
// themselves, as in Latin-1.
namespace NarrowCodePage {

// Returned by encode() for a UTF-16 unit that has no byte here.
inline constexpr quint16 NoByte = 0xFFFF;

struct Tables
{
    char16_t decode[256]; // byte -> UTF-16 unit
    char16_t upper[256]; // byte -> upper case of its unit, one unit for one
    quint16 encode[65536]; // UTF-16 unit -> byte, or NoByte
    // UTF-16 unit -> a byte whose upper case equals the unit's upper case, or NoByte.
    // Lets a line that does not fit keep a one-byte shadow that searches exactly like it.
    quint16 foldShadow[65536];
};

const Tables &tables();

} // namespace NarrowCodePage
