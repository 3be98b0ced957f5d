// Text files in memory, at the speed of memory: any bytes decode to a text without U+0000
// whose lines hold no break; the one-pass narrowing of the list load gives the same lines as
// the decoded text; a document's line breaks all become CR LF and nothing else changes; and
// whatever was loaded or typed encodes and decodes back unchanged in every encoding the
// program writes, the second encoding giving the same bytes as the first.
#include "TextChecks.h"

#include "files/TextCodec.h"
#include "helpers/AppError.h"

#include <array>
#include <vector>

namespace {

using namespace TextChecks;

// Collects the lines the narrowing gives, as text.
class Collect : public NarrowLineSink
{
public:
    explicit Collect(const FileText &text) : m_text(text) {}
    qsizetype expected = -1;
    QStringList lines;
    void expectLines(qsizetype count) override { expected = count; }
    void line(qsizetype offset, qsizetype length, const char16_t *wide) override
    {
        if (wide) {
            lines.append(QString(reinterpret_cast<const QChar *>(wide), length));
            return;
        }
        lines.append(DecodeWindows1252(QByteArrayView(m_text.bytes).sliced(offset, length)));
    }

private:
    const FileText &m_text;
};

// Splits text and checks the lines; returns them joined by CR LF, each followed by one.
QString CheckedLineListText(const QString &text)
{
    const QList<QStringView> lines = SplitLines(text);
    FUZZ_CHECK(CountLines(text) == lines.size(), Escaped(text));
    QString joined;
    for (QStringView line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'), Escaped(line.toString()));
        joined += line;
        joined += u"\r\n";
    }
    return joined;
}

void CheckLoadedBytes(const QByteArray &bytes)
{
    const DecodedText decoded = DecodeTextBytes(bytes);
    FUZZ_CHECK(!decoded.text.contains(QChar(0)), Escaped(decoded.text));
    const QString listText = CheckedLineListText(decoded.text);
    QStringList expectedLines;
    for (QStringView line : SplitLines(decoded.text))
        expectedLines.append(line.toString());

    FileText file = PrepareFileText(bytes);
    FUZZ_CHECK(file.encoding == decoded.encoding, QString());
    if (file.form != FileText::Form::Other) {
        FUZZ_CHECK(DecodedUnitCount(file) == decoded.text.size(), Escaped(decoded.text));
        Collect sink(file);
        NarrowFileTextLines(file, '\n', sink);
        FUZZ_CHECK(sink.expected == sink.lines.size(), QString());
        FUZZ_CHECK(sink.lines == expectedLines,
                   Describe(decoded.encoding, expectedLines.join(u'|'), sink.lines.join(u'|')));
    }

    // A document: every break becomes CR LF, the rest stays.
    const QString document = NormalizeLineBreaks(decoded.text);
    QString withoutBreaks = decoded.text;
    withoutBreaks.remove(u'\r').remove(u'\n');
    QString documentWithoutBreaks = document;
    documentWithoutBreaks.remove(u'\r').remove(u'\n');
    FUZZ_CHECK(withoutBreaks == documentWithoutBreaks, Escaped(document));
    FUZZ_CHECK(NormalizeLineBreaks(document) == document, Escaped(document));

    for (RememberedEncoding e : kEncodings) {
        for (const QString &text : {listText, document}) {
            const EncodedText first = EncodeText(text, e);
            const DecodedText again = DecodeTextBytes(first.bytes);
            FUZZ_CHECK(again.text == Representable(text, e), Describe(e, text, again.text));
            // Once written, the bytes no longer change from one load and save to the next.
            const EncodedText second = EncodeText(again.text, again.encoding);
            FUZZ_CHECK(
                second.bytes == first.bytes,
                Describe(e, QString::fromLatin1(first.bytes.toHex()), QString::fromLatin1(second.bytes.toHex())));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return TextChecks::CheckInput(data, size, CheckLoadedBytes, "decoding failed");
}
