// Checks that files left by the program are whole text files by its own rules: each loads as
// a line list and as a document, and saving what was loaded gives back the very same bytes
// (a file cut short or mixing two encodings would not).
//   --lists  each file is a line list: it must come back as one (every line ended by CR LF)
//   --utf8   each file was UTF-8 (or new) when the program got it: it must decode whole as
//            UTF-8, so that one cut inside a character does not pass for another encoding
// Usage: text_file_check [--lists] [--utf8] FILE...   exit status 1 when a file fails; the
// reason is printed.
#include "files/FakeHolders.h"
#include "files/TextCodec.h"
#include "files/TextFile.h"
#include "helpers/AppError.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

#include <cstdio>

namespace {

QString Check(const QString &path, bool list, bool utf8)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot be read");
    const QByteArray bytes = file.readAll();
    FakeLineList lines;
    FakeText document;
    try {
        LoadLineList(lines, path);
        LoadTextDocument(document, path);
    } catch (const AppError &e) {
        return e.message();
    }
    if (bytes.isEmpty())
        return QString();
    if (utf8) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder(bytes);
        if (decoder.hasError())
            return QStringLiteral("it is no whole UTF-8 text");
    }
    // The program ends every line it writes with CR LF; a document is written as it is.
    const bool asList = EncodeText(LineListText(lines), lines.encoding).bytes == bytes;
    if (list && !asList)
        return QStringLiteral("it is no list of lines each ended by CR LF");
    if (!asList && EncodeText(document.content, document.encoding).bytes != bytes)
        return QStringLiteral("its bytes do not come back from its text");
    return QString();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList paths = QCoreApplication::arguments().mid(1);
    const bool list = paths.removeAll(QStringLiteral("--lists")) > 0;
    const bool utf8 = paths.removeAll(QStringLiteral("--utf8")) > 0;
    int failures = 0;
    for (const QString &path : std::as_const(paths)) {
        const QString problem = Check(path, list, utf8);
        std::printf("%s: %s\n", qUtf8Printable(path), problem.isEmpty() ? "ok" : qUtf8Printable(problem));
        failures += !problem.isEmpty();
    }
    return failures ? 1 : 0;
}
