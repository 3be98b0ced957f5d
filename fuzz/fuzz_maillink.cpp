// The mail link: for any recipient, subject, message and signature, the link read back by
// Qt's URL parser and by a strict reading of the mailto form gives the same recipient,
// subject and body (message, three CR LF, signature) and no other key; and Qt hands it to
// the desktop byte for byte as it was built.
#include "FuzzCheck.h"

#include "dispatch/MailLink.h"

#include <QStringDecoder>
#include <QUrl>
#include <QUrlQuery>

#include <cstring>
#include <optional>

namespace {

struct ParsedLink
{
    QString to;
    QString subject;
    QString body;
};

bool IsUnreserved(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
        || c == '_' || c == '~';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10; // the link writes capitals only
    return -1;
}

// Percent-decodes one part whose raw characters must be unreserved or in extra, then reads
// the bytes as UTF-8, which must be valid.
std::optional<QString> DecodePart(QByteArrayView part, const char *extra)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < part.size(); ++i) {
        const char c = part[i];
        if (c == '%') {
            if (i + 2 >= part.size())
                return std::nullopt;
            const int hi = HexValue(part[i + 1]), lo = HexValue(part[i + 2]);
            if (hi < 0 || lo < 0)
                return std::nullopt;
            bytes += char(hi * 16 + lo);
            i += 2;
        } else if (IsUnreserved(c) || (c != 0 && std::strchr(extra, c))) {
            bytes += c;
        } else {
            return std::nullopt;
        }
    }
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// mailto:<to>?subject=<text>&body=<text>, nothing else: keys in lower case, in that order.
std::optional<ParsedLink> StrictParse(const QByteArray &link)
{
    if (!link.startsWith("mailto:"))
        return std::nullopt;
    const QByteArrayView rest = QByteArrayView(link).sliced(7);
    const qsizetype question = rest.indexOf('?');
    if (question < 0)
        return std::nullopt;
    const auto to = DecodePart(rest.first(question), "@");
    if (!to)
        return std::nullopt;
    const QList<QByteArray> fields = rest.sliced(question + 1).toByteArray().split('&');
    if (fields.size() != 2 || !fields[0].startsWith("subject=") || !fields[1].startsWith("body="))
        return std::nullopt;
    const auto subject = DecodePart(QByteArrayView(fields[0]).sliced(8), "");
    const auto body = DecodePart(QByteArrayView(fields[1]).sliced(5), "");
    if (!subject || !body)
        return std::nullopt;
    return ParsedLink{*to, *subject, *body};
}

// Qt's URL decoder turns the UTF-8 of a Unicode noncharacter (U+FDD0..U+FDEF, U+xFFFE,
// U+xFFFF) into U+FFFD; the link itself carries it as it is.
bool HasNoncharacter(const QString &text)
{
    for (char32_t c : text.toUcs4())
        if ((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE)
            return true;
    return false;
}

QString Show(const QString &expected, const QString &got)
{
    return QStringLiteral("expected %1\ngot      %2").arg(Escaped(expected), Escaped(got));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte chooses how the rest becomes four texts: UTF-8 split at NUL bytes, or
    // UTF-16 (any code unit, lone surrogates and U+0000 included) split at U+FFFF.
    QStringList texts;
    if (data[0] & 1) {
        texts = RawUtf16(data + 1, size - 1).split(QChar(0xFFFF));
    } else {
        for (const QByteArray &piece :
             QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)).split('\0'))
            texts.append(QString::fromUtf8(piece));
    }
    while (texts.size() < 4)
        texts.append(QString());
    const QString &recipient = texts[0], &subject = texts[1], &message = texts[2], &signature = texts[3];

    const QString body = ComposeMailBody(message, signature);
    FUZZ_CHECK(body == message + QStringLiteral("\r\n\r\n\r\n") + signature, Escaped(body));
    const QByteArray link = ComposeMailLink(recipient, subject, body);

    // What a link can carry of a text: UTF-8 has no form for a lone surrogate.
    const QString wantTo = Utf8RoundTrip(recipient);
    const QString wantSubject = Utf8RoundTrip(subject);
    const QString wantBody = Utf8RoundTrip(body);

    for (char c : link)
        FUZZ_CHECK(c > 0x20 && c < 0x7F && c != '#', QString::fromLatin1(link));

    const auto strict = StrictParse(link);
    FUZZ_CHECK(strict.has_value(), QString::fromLatin1(link));
    FUZZ_CHECK(strict->to == wantTo, Show(wantTo, strict->to));
    FUZZ_CHECK(strict->subject == wantSubject, Show(wantSubject, strict->subject));
    FUZZ_CHECK(strict->body == wantBody, Show(wantBody, strict->body));

    const QUrl url = QUrl::fromEncoded(link, QUrl::StrictMode);
    FUZZ_CHECK(url.isValid(), QString::fromLatin1(link) + u'\n' + url.errorString());
    FUZZ_CHECK(url.scheme() == QStringLiteral("mailto"), url.scheme());
    // The desktop receives url.toEncoded(): it must be the link itself.
    FUZZ_CHECK(url.toEncoded() == link, QString::fromLatin1(link) + u'\n' + QString::fromLatin1(url.toEncoded()));
    const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    FUZZ_CHECK(items.size() == 2 && items[0].first == QStringLiteral("subject")
                   && items[1].first == QStringLiteral("body"),
               QString::fromLatin1(link));
    if (HasNoncharacter(wantTo) || HasNoncharacter(wantSubject) || HasNoncharacter(wantBody))
        return 0;
    FUZZ_CHECK(url.path(QUrl::FullyDecoded) == wantTo, Show(wantTo, url.path(QUrl::FullyDecoded)));
    FUZZ_CHECK(items[0].second == wantSubject, Show(wantSubject, items[0].second));
    FUZZ_CHECK(items[1].second == wantBody, Show(wantBody, items[1].second));
    return 0;
}
