#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken property is a finding: say what differed, then abort so that libFuzzer keeps the
// input as a crash.
[[noreturn]] inline void FuzzFail(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "FINDING: %s\n%s\n", what, detail.toUtf8().constData());
    std::abort();
}

#define FUZZ_CHECK(condition, detail)     \
    do {                                  \
        if (!(condition))                 \
            FuzzFail(#condition, detail); \
    } while (false)

// Shows a text with every character outside printable ASCII as \uXXXX.
inline QString Escaped(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return out;
}

// The fuzz input as UTF-16 code units, little-endian (an odd last byte is dropped): any text,
// lone surrogates and U+0000 included.
inline QString RawUtf16(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (size_t i = 0; i + 1 < size; i += 2)
        text[qsizetype(i / 2)] = QChar(char16_t(data[i] | (data[i + 1] << 8)));
    return text;
}

// What UTF-8 can carry of a text: a lone surrogate has no form there. (QString::fromUtf8
// would also drop a leading U+FEFF, which a file or a link keeps.)
inline QString Utf8RoundTrip(const QString &text)
{
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    return decoder.decode(text.toUtf8());
}
