#pragma once

// What both text targets check, the file-based one and the one in memory.
#include "FuzzCheck.h"

#include "files/TextCodec.h"
#include "helpers/AppError.h"

#include <array>

namespace TextChecks {

inline constexpr std::array<RememberedEncoding, 5> kEncodings = {{
    {TextEncoding::Ansi, AnsiCodePage::Utf8},
    {TextEncoding::Ansi, AnsiCodePage::Windows1252},
    {TextEncoding::Utf8, AnsiCodePage::Utf8},
    {TextEncoding::Utf16Le, AnsiCodePage::Utf8},
    {TextEncoding::Utf16Be, AnsiCodePage::Utf8},
}};

inline bool IsUtf16(RememberedEncoding e)
{
    return e.encoding == TextEncoding::Utf16Le || e.encoding == TextEncoding::Utf16Be;
}

// What a text can be in a file of encoding e: UTF-8 has no form for a lone surrogate.
inline QString Representable(const QString &text, RememberedEncoding e)
{
    return IsUtf16(e) ? text : Utf8RoundTrip(text);
}

inline QString Describe(RememberedEncoding e, const QString &expected, const QString &got)
{
    return QStringLiteral("encoding %1/%2\nexpected %3\ngot      %4")
        .arg(int(e.encoding))
        .arg(int(e.codePage))
        .arg(Escaped(expected), Escaped(got));
}

// Text as the user may leave it after editing (any characters but U+0000, which no field
// holds): encoded in any encoding and decoded again, it is the same text.
inline void CheckEditedText(const QString &typed)
{
    QString text = typed;
    text.remove(QChar(0));
    for (RememberedEncoding e : kEncodings) {
        const EncodedText encoded = EncodeText(text, e);
        const DecodedText decoded = DecodeTextBytes(encoded.bytes);
        FUZZ_CHECK(decoded.text == Representable(text, e), Describe(e, text, decoded.text));
        FUZZ_CHECK(decoded.encoding == encoded.encoding || decoded.encoding.encoding == TextEncoding::Ansi,
                   Describe(e, text, decoded.text));
    }
}

// Every text check of one input: the bytes as loaded (checkLoaded, the target's own, which
// reports a failing load or save as what), then the input read three ways as typed text.
template <typename CheckLoaded>
int CheckInput(const uint8_t *data, size_t size, CheckLoaded checkLoaded, const char *what)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        checkLoaded(bytes);
    } catch (const AppError &e) {
        FuzzFail(what, e.message());
    }
    CheckEditedText(RawUtf16(data, size));
    CheckEditedText(QString::fromUtf8(bytes));
    CheckEditedText(DecodeWindows1252(bytes));
    return 0;
}

} // namespace TextChecks
