// The recipient list's load straight from a file's bytes against the general load through the
// decoded text: any bytes give the same lines, the same remembered encoding and the same
// searches both ways, and the narrowing announces as many lines as it gives.
#include "FakeHolders.h"
#include "FuzzCheck.h"

#include "files/TextCodec.h"
#include "files/TextFile.h"
#include "recipients/RecipientList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString WorkPath()
{
    // A memory file system keeps the writes cheap.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/ferravel-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/ferravel-fuzz-XXXXXX"));
    return dir.filePath(QStringLiteral("liste.txt"));
}

QString Upper(QString text)
{
    for (QChar &c : text)
        c = c.toUpper();
    return text;
}

class Counting : public NarrowLineSink
{
public:
    qsizetype expected = -1;
    qsizetype given = 0;
    void expectLines(qsizetype count) override { expected = count; }
    void line(qsizetype, qsizetype, const char16_t *) override { ++given; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = WorkPath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            FuzzFail("cannot write the work file");
    }
    FakeLineList general;
    RecipientList list;
    try {
        LoadLineList(general, path);
        LoadLineList(list, path);
    } catch (const AppError &e) {
        FuzzFail("a load of a plain file failed", e.message());
    }
    QStringList lines;
    for (qsizetype i = 0; i < list.lineCount(); ++i)
        lines.append(list.lineAt(i));
    FUZZ_CHECK(lines == general.lines, lines.join(u'|') + QStringLiteral("\n") + general.lines.join(u'|'));
    FUZZ_CHECK(list.rememberedEncoding() == general.encoding, QString());

    const DecodedText decoded = DecodeTextBytes(bytes);
    FileText text = PrepareFileText(bytes);
    FUZZ_CHECK(text.encoding == decoded.encoding, QString());
    if (text.form != FileText::Form::Other) {
        FUZZ_CHECK(DecodedUnitCount(text) == decoded.text.size(), Escaped(decoded.text));
        Counting counting;
        NarrowFileTextLines(text, '\n', counting);
        FUZZ_CHECK(counting.expected == general.lines.size() && counting.given == general.lines.size(),
                   QString::number(counting.expected) + QStringLiteral(" ") + QString::number(counting.given));
    }

    // Each line's one-byte form, or its search shadow, stands where the search looks.
    for (qsizetype i = 0; i < general.lines.size() && i < 64; ++i) {
        const QString key = general.lines[i].left(3);
        if (key.isEmpty())
            continue;
        qsizetype expected = general.lines.size();
        for (qsizetype j = 0; j < general.lines.size(); ++j)
            if (Upper(general.lines[j]).contains(Upper(key))) {
                expected = j;
                break;
            }
        FUZZ_CHECK(list.findContaining(key, 0) == expected, Escaped(key));
    }
    return 0;
}
