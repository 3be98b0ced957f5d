// Checks that files left by the program are whole text files by its own rules: each loads as
// a line list and as a document, and saving what was loaded gives back the very same bytes
// (a file cut short or mixing two encodings would not).
// Usage: text_file_check FILE...   exit status 1 when a file fails; the reason is printed.
#include "files/FakeHolders.h"
#include "files/TextCodec.h"
#include "files/TextFile.h"
#include "helpers/AppError.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

QString Check(const QString &path)
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
    // The program ends every line it writes with CR LF; a document is written as it is.
    if (EncodeText(LineListText(lines), lines.encoding).bytes != bytes
        && EncodeText(document.content, document.encoding).bytes != bytes)
        return QStringLiteral("its bytes do not come back from its text");
    return QString();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int failures = 0;
    for (const QString &path : QCoreApplication::arguments().mid(1)) {
        const QString problem = Check(path);
        std::printf("%s: %s\n", qUtf8Printable(path), problem.isEmpty() ? "ok" : qUtf8Printable(problem));
        failures += !problem.isEmpty();
    }
    return failures ? 1 : 0;
}
