#include "recipients/FoldedByteSearch.h"

#include "recipients/NarrowCodePage.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The bytes whose upper case is unit; false when there are more than two.
bool bytesFor(char16_t unit, quint8 (&bytes)[2])
{
    const auto &t = NarrowCodePage::tables();
    int found = 0;
    for (int b = 0; b < 256; ++b) {
        if (t.upper[b] != unit)
            continue;
        if (found == 2)
            return false;
        bytes[found++] = quint8(b);
    }
    if (found == 1)
        bytes[1] = bytes[0];
    return found > 0;
}

} // namespace

FoldedByteSearch::FoldedByteSearch(const std::vector<char16_t> &upperKey)
    : m_key(upperKey),
      m_length(qsizetype(upperKey.size()))
{
    const auto &t = NarrowCodePage::tables();
    for (int b = 0; b < 256; ++b) {
        m_shift[b] = m_length;
        m_endsKey[b] = t.upper[b] == m_key[size_t(m_length - 1)];
    }
    for (qsizetype j = 0; j + 1 < m_length; ++j)
        for (int b = 0; b < 256; ++b)
            if (t.upper[b] == m_key[size_t(j)])
                m_shift[b] = m_length - 1 - j;
#if defined(__SSE2__)
    m_wideFilter = bytesFor(m_key.front(), m_first) && bytesFor(m_key.back(), m_last);
#endif
}

bool FoldedByteSearch::matchesAt(const char *text) const
{
    const auto &t = NarrowCodePage::tables();
    for (qsizetype j = 0; j < m_length; ++j)
        if (t.upper[quint8(text[j])] != m_key[size_t(j)])
            return false;
    return true;
}

qsizetype FoldedByteSearch::nextHorspool(const char *text, qsizetype from, qsizetype end) const
{
    qsizetype p = from;
    while (p + m_length <= end) {
        const quint8 lastByte = quint8(text[p + m_length - 1]);
        if (m_endsKey[lastByte] && matchesAt(text + p))
            return p;
        p += m_shift[lastByte];
    }
    return -1;
}

qsizetype FoldedByteSearch::next(const char *text, qsizetype from, qsizetype end) const
{
#if defined(__SSE2__)
    if (m_wideFilter) {
        // Sixteen places at a time: a place is a candidate when its first byte can start the
        // key and the byte length - 1 further on can end it; only candidates are compared.
        const __m128i first0 = _mm_set1_epi8(char(m_first[0]));
        const __m128i first1 = _mm_set1_epi8(char(m_first[1]));
        const __m128i last0 = _mm_set1_epi8(char(m_last[0]));
        const __m128i last1 = _mm_set1_epi8(char(m_last[1]));
        const qsizetype lastOffset = m_length - 1;
        qsizetype p = from;
        for (; p + lastOffset + 16 <= end; p += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + p));
            const __m128i z = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + p + lastOffset));
            const __m128i starts = _mm_or_si128(_mm_cmpeq_epi8(a, first0), _mm_cmpeq_epi8(a, first1));
            const __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(z, last0), _mm_cmpeq_epi8(z, last1));
            unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(starts, ends)));
            while (mask) {
                const qsizetype candidate = p + __builtin_ctz(mask);
                if (matchesAt(text + candidate))
                    return candidate;
                mask &= mask - 1;
            }
        }
        return nextHorspool(text, p, end);
    }
#endif
    return nextHorspool(text, from, end);
}
