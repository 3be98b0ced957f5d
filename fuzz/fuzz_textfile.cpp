// Text files through real files: any bytes load as a line list and as a document exactly as
// their decoding says, and whatever was loaded or typed comes back unchanged after a save and
// a load, in every encoding the program writes. fuzz_textmemory checks the decoding, the
// encoding and the line rules in memory, many times faster.
#include "FakeHolders.h"
#include "TextChecks.h"

#include "files/TextCodec.h"
#include "files/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>

namespace {

using TextChecks::Describe;
using TextChecks::IsUtf16;
using TextChecks::kEncodings;
using TextChecks::Representable;

QString WorkPath()
{
    // A memory file system keeps the atomic saves' syncs cheap.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/ferravel-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/ferravel-fuzz-XXXXXX"));
    return dir.filePath(QStringLiteral("file.txt"));
}

void WriteRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        FuzzFail("cannot write the work file");
}

QByteArray ReadRaw(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        FuzzFail("cannot read the work file");
    return file.readAll();
}

QStringList Representable(const QStringList &lines, RememberedEncoding e)
{
    QStringList out;
    for (const QString &line : lines)
        out.append(Representable(line, e));
    return out;
}

void CheckLoadedBytes(const QByteArray &bytes)
{
    const QString path = WorkPath();
    const DecodedText decoded = DecodeTextBytes(bytes);
    QStringList expectedLines;
    for (QStringView line : SplitLines(decoded.text)) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'), Escaped(line.toString()));
        expectedLines.append(line.toString());
    }
    FUZZ_CHECK(CountLines(decoded.text) == expectedLines.size(), Escaped(decoded.text));
    FUZZ_CHECK(!decoded.text.contains(QChar(0)), Escaped(decoded.text));

    WriteRaw(path, bytes);
    FakeLineList list;
    LoadLineList(list, path);
    FUZZ_CHECK(list.lines == expectedLines,
               Describe(decoded.encoding, expectedLines.join(u'|'), list.lines.join(u'|')));
    FUZZ_CHECK(list.encoding == decoded.encoding, QString());

    FakeText document;
    LoadTextDocument(document, path);
    FUZZ_CHECK(document.content == NormalizeLineBreaks(decoded.text),
               Describe(decoded.encoding, NormalizeLineBreaks(decoded.text), document.content));

    for (RememberedEncoding e : kEncodings) {
        FakeLineList saved;
        saved.lines = list.lines;
        saved.encoding = e;
        SaveLineList(saved, path);
        const QByteArray first = ReadRaw(path);
        FakeLineList again;
        LoadLineList(again, path);
        FUZZ_CHECK(again.lines == Representable(list.lines, e),
                   Describe(e, list.lines.join(u'|'), again.lines.join(u'|')));
        // Once saved, the file no longer changes from one load and save to the next.
        SaveLineList(again, path);
        FUZZ_CHECK(ReadRaw(path) == first,
                   Describe(e, QString::fromLatin1(first.toHex()), QString::fromLatin1(ReadRaw(path).toHex())));

        FakeText text;
        text.content = document.content;
        text.encoding = e;
        SaveTextDocument(text, path);
        FakeText textAgain;
        LoadTextDocument(textAgain, path);
        FUZZ_CHECK(textAgain.content == Representable(document.content, e),
                   Describe(e, document.content, textAgain.content));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return TextChecks::CheckInput(data, size, CheckLoadedBytes, "a load or save of a plain file failed");
}
