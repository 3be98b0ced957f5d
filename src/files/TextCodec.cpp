#include "files/TextCodec.h"

#include "files/Windows1252.h"

#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr const std::array<char16_t, 256> &kDecode = Windows1252Table;

int Windows1252ByteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int b = 0x80; b < 0xA0; ++b)
        if (kDecode[b] == c)
            return b;
    return -1;
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
    const qsizetype units = bytes.size() / 2; // an odd last byte is ignored
    QString text(units, Qt::Uninitialized);
    if (units == 0)
        return text;
    auto *out = reinterpret_cast<char16_t *>(text.data());
    if (bigEndian)
        qFromBigEndian<char16_t>(bytes.data(), units, out);
    else
        qFromLittleEndian<char16_t>(bytes.data(), units, out);
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
        // Plain ASCII runs are the common case: test eight bytes at a time.
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
