#include "files/TextCodec.h"

#include "files/Windows1252.h"
#include "helpers/AppError.h"

#include <QStringDecoder>
#include <QtEndian>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

namespace {

constexpr const std::array<char16_t, 256> &kDecode = Windows1252Table;

// UTF-16 unit -> the byte that decodes to it, 0 where none does (and for U+0000 itself).
constexpr std::array<quint8, 65536> MakeEncodeTable()
{
    std::array<quint8, 65536> table{};
    for (int b = 0; b < 256; ++b)
        table[kDecode[b]] = quint8(b);
    return table;
}
constexpr std::array<quint8, 65536> kEncode = MakeEncodeTable();

int Windows1252ByteOf(char16_t c)
{
    const quint8 b = kEncode[c];
    return kDecode[b] == c ? b : -1;
}

QByteArrayView BeforeFirstNul(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return bytes;
    const void *nul = std::memchr(bytes.data(), 0, size_t(bytes.size()));
    return nul ? bytes.first(static_cast<const char *>(nul) - bytes.data()) : bytes;
}

QString Utf16FromBytes(QByteArrayView bytes, bool bigEndian)
{
    QString text = DecodeUtf16Units(bytes, bigEndian);
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

// Invalid sequences give U+FFFD; a U+FEFF at the start is text, not a mark to drop.
QString Utf8FromBytes(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace

bool IsValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        // Plain ASCII runs are the common case: test sixteen bytes at a time.
#if defined(__SSE2__)
        while (end - p >= 16) {
            const int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p)));
            if (high != 0) {
                p += std::countr_zero(unsigned(high));
                break;
            }
            p += 16;
        }
#endif
        while (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ULL)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more;
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                lo = 0xA0; // no overlong form
            else if (c == 0xED)
                hi = 0x9F; // no surrogate
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F; // nothing beyond U+10FFFF
        } else {
            return false;
        }
        if (end - p <= more)
            return false;
        if (p[1] < lo || p[1] > hi)
            return false;
        for (int k = 2; k <= more; ++k)
            if ((p[k] & 0xC0) != 0x80)
                return false;
        p += more + 1;
    }
    return true;
}

QString DecodeUtf16Units(QByteArrayView bytes, bool bigEndian)
{
    const qsizetype units = bytes.size() / 2;
    QString text(units, Qt::Uninitialized);
    if (units == 0)
        return text;
    auto *out = reinterpret_cast<char16_t *>(text.data());
    if (bigEndian)
        qFromBigEndian<char16_t>(bytes.data(), units, out);
    else
        qFromLittleEndian<char16_t>(bytes.data(), units, out);
    return text;
}

QByteArray EncodeUtf16Units(QStringView text, bool bigEndian)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    if (text.isEmpty())
        return bytes;
    if (bigEndian)
        qToBigEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    else
        qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

QString DecodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(text.data());
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype i = 0, n = bytes.size(); i < n; ++i)
        out[i] = kDecode[in[i]];
    return text;
}

bool EncodeWindows1252(QStringView text, QByteArray &out)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *dst = out.data() + start;
    const auto *src = reinterpret_cast<const char16_t *>(text.utf16());
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const int b = Windows1252ByteOf(src[i]);
        if (b < 0)
            return false;
        dst[i] = char(b);
    }
    return true;
}

DecodedText DecodeTextBytes(QByteArrayView bytes)
{
    DecodedText result;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        result.encoding = {TextEncoding::Utf8, AnsiCodePage::Utf8};
        result.text = Utf8FromBytes(BeforeFirstNul(bytes.sliced(3)));
    } else if (bytes.startsWith("\xFF\xFE")) {
        result.encoding = {TextEncoding::Utf16Le, AnsiCodePage::Utf8};
        result.text = Utf16FromBytes(bytes.sliced(2), false);
    } else if (bytes.startsWith("\xFE\xFF")) {
        result.encoding = {TextEncoding::Utf16Be, AnsiCodePage::Utf8};
        result.text = Utf16FromBytes(bytes.sliced(2), true);
    } else {
        const QByteArrayView text = BeforeFirstNul(bytes);
        if (IsValidUtf8(text)) {
            result.encoding = {TextEncoding::Ansi, AnsiCodePage::Utf8};
            result.text = Utf8FromBytes(text);
        } else {
            result.encoding = {TextEncoding::Ansi, AnsiCodePage::Windows1252};
            result.text = DecodeWindows1252(text);
        }
    }
    return result;
}

// Whether bytes without a mark load back as Windows-1252: they must not open with a mark,
// and must not read as UTF-8 unless they are plain ASCII (then both readings agree).
static bool LoadsAsWindows1252(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return false;
    const QByteArrayView text = BeforeFirstNul(bytes);
    if (!IsValidUtf8(text))
        return true;
    return std::none_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
}

EncodedText EncodeText(QStringView text, RememberedEncoding encoding)
{
    EncodedText result{{}, encoding};
    const auto asUtf8WithMark = [&] {
        result.encoding = {TextEncoding::Utf8, AnsiCodePage::Utf8};
        result.bytes = "\xEF\xBB\xBF" + text.toUtf8();
        return result;
    };
    switch (encoding.encoding) {
    case TextEncoding::Ansi:
        if (encoding.codePage == AnsiCodePage::Windows1252) {
            result.bytes.reserve(text.size());
            // Windows-1252 cannot hold this text, or its bytes would load back as something
            // else (a mark, or valid UTF-8): keep every character.
            if (EncodeWindows1252(text, result.bytes) && LoadsAsWindows1252(result.bytes))
                return result;
            return asUtf8WithMark();
        }
        // A leading U+FEFF would be taken for the mark by the next load.
        if (text.startsWith(QChar(0xFEFF)))
            return asUtf8WithMark();
        result.bytes = text.toUtf8();
        return result;
    case TextEncoding::Utf8:
        result.bytes = "\xEF\xBB\xBF" + text.toUtf8();
        return result;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: {
        const bool big = encoding.encoding == TextEncoding::Utf16Be;
        result.bytes.resize(2 + text.size() * 2);
        char *dst = result.bytes.data();
        std::memcpy(dst, big ? "\xFE\xFF" : "\xFF\xFE", 2);
        if (text.isEmpty())
            return result;
        if (big)
            qToBigEndian<char16_t>(text.utf16(), text.size(), dst + 2);
        else
            qToLittleEndian<char16_t>(text.utf16(), text.size(), dst + 2);
        return result;
    }
    }
    return result;
}

qsizetype CountLines(QStringView text)
{
    const auto *data = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    qsizetype count = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i] == u'\r') {
            ++count;
            if (i + 1 < n && data[i + 1] == u'\n')
                ++i;
        } else if (data[i] == u'\n') {
            ++count;
        }
    }
    // Text after the last break is one more line.
    if (n > 0 && data[n - 1] != u'\r' && data[n - 1] != u'\n')
        ++count;
    return count;
}

QList<QStringView> SplitLines(QStringView text, qsizetype lineCount)
{
    QList<QStringView> lines;
    lines.reserve(lineCount >= 0 ? lineCount : CountLines(text));
    const auto *data = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype start = i;
        while (i < n && data[i] != u'\r' && data[i] != u'\n')
            ++i;
        lines.append(text.sliced(start, i - start));
        if (i < n && data[i] == u'\r')
            ++i;
        if (i < n && data[i] == u'\n')
            ++i;
    }
    return lines;
}

QString NormalizeLineBreaks(const QString &text)
{
    const auto *data = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    qsizetype extra = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i] == u'\r') {
            if (i + 1 < n && data[i + 1] == u'\n')
                ++i;
            else
                ++extra;
        } else if (data[i] == u'\n') {
            ++extra;
        }
    }
    if (extra == 0)
        return text; // already CR LF throughout: share the data
    QString out(n + extra, Qt::Uninitialized);
    auto *dst = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i] == u'\r' || data[i] == u'\n') {
            if (data[i] == u'\r' && i + 1 < n && data[i + 1] == u'\n')
                ++i;
            *dst++ = u'\r';
            *dst++ = u'\n';
        } else {
            *dst++ = data[i];
        }
    }
    return out;
}

int Windows1252Byte(char16_t unit)
{
    return Windows1252ByteOf(unit);
}

// ---- A file's text straight from its bytes

namespace {

bool IsBreakByte(char c)
{
    return c == '\r' || c == '\n';
}

struct UnitLines
{
    qsizetype lines;
    qsizetype end; // in bytes: n, or where the first U+0000 stands
};

// The number of lines SplitLines finds in a text whose units are given one per byte (Step 1)
// or two (Step 2, in the file's byte order). A line ends at every LF and at every CR that no
// LF follows; text after the last break is one more line. With stopAtNul, the text ends at
// its first U+0000 unit, found in the same pass.
template <int Step>
UnitLines CountUnitLines(const char *s, qsizetype n, [[maybe_unused]] bool bigEndian, bool stopAtNul)
{
    const auto unitAt = [&](qsizetype i) -> char16_t {
        if constexpr (Step == 1)
            return char16_t(quint8(s[i]));
        else
            return bigEndian ? char16_t(quint8(s[i]) << 8 | quint8(s[i + 1]))
                             : char16_t(quint8(s[i]) | quint8(s[i + 1]) << 8);
    };
    qsizetype ends = 0;
    qsizetype i = 0;
#if defined(__SSE2__)
    // Each lane counts the line ends it sees; the lanes are summed before they can overflow.
    const auto loaded = [&](char16_t unit) {
        if constexpr (Step == 1)
            return _mm_set1_epi8(char(unit));
        else
            return _mm_set1_epi16(short(bigEndian ? char16_t(unit << 8) : unit));
    };
    const auto equal = [](__m128i a, __m128i b) {
        if constexpr (Step == 1)
            return _mm_cmpeq_epi8(a, b);
        else
            return _mm_cmpeq_epi16(a, b);
    };
    const __m128i cr = loaded(u'\r');
    const __m128i lf = loaded(u'\n');
    bool nulAhead = false; // a block holds U+0000: the rest goes one unit at a time
    while (!nulAhead && i + 16 + Step <= n) {
        __m128i counts = _mm_setzero_si128();
        for (int round = 0; round < 255 && i + 16 + Step <= n; ++round, i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
            if (stopAtNul && _mm_movemask_epi8(equal(v, _mm_setzero_si128())) != 0) {
                nulAhead = true;
                break;
            }
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i + Step));
            const __m128i end = _mm_or_si128(equal(v, lf), _mm_andnot_si128(equal(next, lf), equal(v, cr)));
            counts = _mm_sub_epi8(counts, end); // -1 per byte of a line end: one or two per unit
        }
        const __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
        ends += (_mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8))) / Step;
    }
#endif
    for (; i + Step <= n; i += Step) {
        const char16_t u = unitAt(i);
        if (stopAtNul && u == 0) {
            n = i;
            break;
        }
        if (u == u'\n' || (u == u'\r' && (i + 2 * Step > n || unitAt(i + Step) != u'\n')))
            ++ends;
    }
    n -= n % Step; // an odd last byte is no unit
    if (n >= Step) {
        const char16_t last = unitAt(n - Step);
        if (last != u'\r' && last != u'\n')
            ++ends;
    }
    return {ends, n};
}

// Writes the lines over the bytes they come from. Every line takes at most as many bytes as
// it had (one per UTF-16 unit, against one to four bytes per unit read), and its separator
// stands where its break was, so the writing never overtakes the reading.
class LineWriter
{
public:
    LineWriter(char *base, char separator, NarrowLineSink &sink)
        : m_base(base),
          m_out(base),
          m_separator(separator),
          m_sink(sink)
    {}

    void startLine()
    {
        m_lineStart = m_out;
        m_wide.clear();
        m_isWide = false;
    }
    bool isWide() const { return m_isWide; }
    char *out() { return m_out; }
    void advance(qsizetype bytes) { m_out += bytes; }
    void narrow(char byte) { *m_out++ = byte; }
    // A unit with no byte: from here on the line is kept as units.
    void wideUnit(char16_t unit)
    {
        if (!m_isWide) {
            m_isWide = true;
            for (const char *p = m_lineStart; p < m_out; ++p)
                m_wide.push_back(kDecode[quint8(*p)]);
        }
        m_wide.push_back(unit);
    }
    void unit(char16_t unit)
    {
        if (!m_isWide) {
            const int b = Windows1252ByteOf(unit);
            if (b >= 0) {
                *m_out++ = char(b);
                return;
            }
        }
        wideUnit(unit);
    }
    void endLine()
    {
        const qsizetype length = m_isWide ? qsizetype(m_wide.size()) : m_out - m_lineStart;
        m_sink.line(m_lineStart - m_base, length, m_isWide ? m_wide.data() : nullptr);
        m_out = m_lineStart + length;
        *m_out++ = m_separator;
        ++m_lines;
    }
    qsizetype written() const { return m_out - m_base; }
    qsizetype lines() const { return m_lines; }

private:
    char *m_base;
    char *m_out;
    char *m_lineStart = nullptr;
    char m_separator;
    NarrowLineSink &m_sink;
    std::vector<char16_t> m_wide;
    bool m_isWide = false;
    qsizetype m_lines = 0;
};

#if defined(__SSE2__)
// Copies the plain bytes of a block read at in: the whole block at once when that cannot
// overwrite a byte not read yet (the writing is at the reading, or sixteen bytes behind it).
void CopyPlain(LineWriter &w, const char *in, __m128i block, int plain)
{
    const qsizetype behind = in - w.out();
    if (behind == 0 || behind >= 16)
        _mm_storeu_si128(reinterpret_cast<__m128i *>(w.out()), block);
    else
        std::memmove(w.out(), in, size_t(plain));
    w.advance(plain);
}
#endif

void NarrowWindows1252(const char *in, const char *end, LineWriter &w)
{
    while (in < end) {
        w.startLine();
#if defined(__SSE2__)
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i lf = _mm_set1_epi8('\n');
        while (end - in >= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in));
            const unsigned found =
                unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
            const int plain = found ? std::countr_zero(found) : 16;
            CopyPlain(w, in, v, plain);
            in += plain;
            if (found)
                break;
        }
#endif
        while (in < end && !IsBreakByte(*in))
            w.narrow(*in++);
        if (in < end && *in == '\r')
            ++in;
        if (in < end && *in == '\n')
            ++in;
        w.endLine();
    }
}

void NarrowUtf8(const char *in, const char *end, LineWriter &w)
{
    while (in < end) {
        w.startLine();
        for (;;) {
#if defined(__SSE2__)
            // Sixteen plain ASCII bytes at once, the usual case.
            if (!w.isWide()) {
                const __m128i cr = _mm_set1_epi8('\r');
                const __m128i lf = _mm_set1_epi8('\n');
                while (end - in >= 16) {
                    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in));
                    const unsigned stop = unsigned(_mm_movemask_epi8(v))
                        | unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
                    const int plain = stop ? std::countr_zero(stop) : 16;
                    CopyPlain(w, in, v, plain);
                    in += plain;
                    if (stop)
                        break;
                }
            }
#endif
            if (in == end)
                break;
            const auto c = quint8(*in);
            if (c < 0x80) {
                if (IsBreakByte(char(c)))
                    break;
                if (w.isWide())
                    w.wideUnit(c);
                else
                    w.narrow(char(c));
                ++in;
                continue;
            }
            // Valid UTF-8: the lead byte gives the length, the others carry six bits each.
            char32_t code;
            if (c < 0xE0) {
                code = char32_t(c & 0x1F) << 6 | (quint8(in[1]) & 0x3F);
                in += 2;
            } else if (c < 0xF0) {
                code = char32_t(c & 0x0F) << 12 | char32_t(quint8(in[1]) & 0x3F) << 6 | (quint8(in[2]) & 0x3F);
                in += 3;
            } else {
                code = char32_t(c & 0x07) << 18 | char32_t(quint8(in[1]) & 0x3F) << 12
                    | char32_t(quint8(in[2]) & 0x3F) << 6 | (quint8(in[3]) & 0x3F);
                in += 4;
            }
            if (code < 0x10000) {
                w.unit(char16_t(code));
            } else {
                w.wideUnit(QChar::highSurrogate(code));
                w.wideUnit(QChar::lowSurrogate(code));
            }
        }
        if (in < end && *in == '\r')
            ++in;
        if (in < end && *in == '\n')
            ++in;
        w.endLine();
    }
}

template <bool BigEndian>
char16_t Utf16UnitAt(const char *p)
{
    return BigEndian ? char16_t(quint8(p[0]) << 8 | quint8(p[1])) : char16_t(quint8(p[0]) | quint8(p[1]) << 8);
}

template <bool BigEndian>
void NarrowUtf16(const char *in, const char *end, LineWriter &w)
{
    while (in < end) {
        w.startLine();
        for (;;) {
#if defined(__SSE2__)
            // Sixteen, then eight units at once when each is a byte of its own (below U+0100,
            // outside U+0080-U+009F) and none is a break.
            if (!w.isWide()) {
                const auto units = [](const char *p) {
                    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
                    return BigEndian ? _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8)) : v;
                };
                const auto stops = [](__m128i v) {
                    const __m128i fitsByte =
                        _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(short(0xFF00))), _mm_setzero_si128());
                    const __m128i c1Range =
                        _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(short(0xFFE0))), _mm_set1_epi16(0x80));
                    const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi16(v, _mm_set1_epi16(0x0D)),
                                                        _mm_cmpeq_epi16(v, _mm_set1_epi16(0x0A)));
                    return _mm_or_si128(_mm_andnot_si128(fitsByte, _mm_set1_epi16(-1)), _mm_or_si128(c1Range, breaks));
                };
                while (end - in >= 32) {
                    const __m128i first = units(in);
                    const __m128i second = units(in + 16);
                    if (_mm_movemask_epi8(_mm_or_si128(stops(first), stops(second))) != 0)
                        break;
                    _mm_storeu_si128(reinterpret_cast<__m128i *>(w.out()), _mm_packus_epi16(first, second));
                    w.advance(16);
                    in += 32;
                }
                while (end - in >= 16) {
                    const __m128i v = units(in);
                    if (_mm_movemask_epi8(stops(v)) != 0)
                        break;
                    _mm_storel_epi64(reinterpret_cast<__m128i *>(w.out()), _mm_packus_epi16(v, v));
                    w.advance(8);
                    in += 16;
                }
            }
#endif
            if (in == end)
                break;
            const char16_t u = Utf16UnitAt<BigEndian>(in);
            if (u == u'\r' || u == u'\n')
                break;
            w.unit(u);
            in += 2;
        }
        if (in < end && Utf16UnitAt<BigEndian>(in) == u'\r')
            in += 2;
        if (in < end && Utf16UnitAt<BigEndian>(in) == u'\n')
            in += 2;
        w.endLine();
    }
}

} // namespace

FileText PrepareFileText(QByteArray bytes)
{
    FileText text;
    const QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) {
        text.encoding = {TextEncoding::Utf8, AnsiCodePage::Utf8};
        text.begin = 3;
        text.end = 3 + BeforeFirstNul(view.sliced(3)).size();
        text.form = IsValidUtf8(view.sliced(3, text.end - 3)) ? FileText::Form::Utf8 : FileText::Form::Other;
    } else if (view.startsWith("\xFF\xFE") || view.startsWith("\xFE\xFF")) {
        const bool big = view.startsWith("\xFE\xFF");
        text.encoding = {big ? TextEncoding::Utf16Be : TextEncoding::Utf16Le, AnsiCodePage::Utf8};
        text.begin = 2;
        // The end (the first U+0000) and the lines are found in one pass over the units.
        const UnitLines found = CountUnitLines<2>(view.data() + 2, view.size() - 2, big, true);
        text.end = 2 + found.end;
        text.lines = found.lines;
        text.form = big ? FileText::Form::Utf16Be : FileText::Form::Utf16Le;
    } else {
        text.end = BeforeFirstNul(view).size();
        if (IsValidUtf8(view.first(text.end))) {
            text.encoding = {TextEncoding::Ansi, AnsiCodePage::Utf8};
            text.form = FileText::Form::Utf8;
        } else {
            text.encoding = {TextEncoding::Ansi, AnsiCodePage::Windows1252};
            text.form = FileText::Form::Windows1252;
        }
    }
    text.bytes = std::move(bytes);
    return text;
}

qsizetype DecodedUnitCount(const FileText &text)
{
    switch (text.form) {
    case FileText::Form::Windows1252:
        return text.end - text.begin;
    case FileText::Form::Utf16Le:
    case FileText::Form::Utf16Be:
        return (text.end - text.begin) / 2;
    case FileText::Form::Utf8: {
        // Every byte but a continuation byte starts a character; one of four bytes takes two units.
        qsizetype units = 0;
        const auto *p = reinterpret_cast<const unsigned char *>(text.bytes.constData()) + text.begin;
        const auto *end = reinterpret_cast<const unsigned char *>(text.bytes.constData()) + text.end;
        for (; p < end; ++p)
            units += (*p & 0xC0) != 0x80 ? (*p >= 0xF0 ? 2 : 1) : 0;
        return units;
    }
    case FileText::Form::Other:
        break;
    }
    return -1;
}

qsizetype NarrowFileTextLines(FileText &text, char separator, NarrowLineSink &sink)
{
    Q_ASSERT(text.form != FileText::Form::Other);
    const bool oneByte = text.form == FileText::Form::Windows1252 || text.form == FileText::Form::Utf8;
    const qsizetype size = text.end - text.begin;
    const char *first = text.bytes.constData() + text.begin;
    const qsizetype lines = text.lines >= 0 ? text.lines
        : oneByte                           ? CountUnitLines<1>(first, size, false, false).lines
                  : CountUnitLines<2>(first, size, text.form == FileText::Form::Utf16Be, false).lines;
    if (lines > MaxLineListLines)
        throw AppError::CannotInsertLine();
    // A last line without a break, in a file without mark or U+0000 and whose every line
    // kept its length, needs one byte more than the file for its separator.
    if (oneByte && lines > 0 && text.begin == 0 && text.end == text.bytes.size() && !IsBreakByte(text.bytes.back()))
        text.bytes.resize(text.bytes.size() + 1);
    char *base = text.bytes.data();
    const char *in = base + text.begin;
    const char *end = base + text.end;
    sink.expectLines(lines);
    LineWriter writer(base, separator, sink);
    switch (text.form) {
    case FileText::Form::Windows1252:
        NarrowWindows1252(in, end, writer);
        break;
    case FileText::Form::Utf8:
        NarrowUtf8(in, end, writer);
        break;
    case FileText::Form::Utf16Le:
        NarrowUtf16<false>(in, end, writer);
        break;
    case FileText::Form::Utf16Be:
        NarrowUtf16<true>(in, end, writer);
        break;
    case FileText::Form::Other:
        break;
    }
    Q_ASSERT(writer.lines() == lines);
    return writer.written();
}
