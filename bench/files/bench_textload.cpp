// Loading a large Windows-1252 recipient list into a line-list holder, against the system's
// iconv converting the same file to UTF-16 (the least any load must do), in one run.
#include "files/TextFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// A holder storing every line in one buffer, as a compact list model would.
class CompactLineList : public LineListHolder
{
public:
    QString buffer;
    QList<qsizetype> ends;
    RememberedEncoding encoding;

    qsizetype lineCount() const override { return ends.size(); }
    QString lineAt(qsizetype i) const override
    {
        const qsizetype start = i == 0 ? 0 : ends[i - 1];
        return buffer.mid(start, ends[i] - start);
    }
    void replaceLines(const QList<QStringView> &lines) override
    {
        qsizetype total = 0;
        for (QStringView line : lines)
            total += line.size();
        QString newBuffer;
        newBuffer.reserve(total);
        QList<qsizetype> newEnds;
        newEnds.reserve(lines.size());
        for (QStringView line : lines) {
            newBuffer.append(line);
            newEnds.append(newBuffer.size());
        }
        buffer = std::move(newBuffer);
        ends = std::move(newEnds);
    }
    RememberedEncoding rememberedEncoding() const override { return encoding; }
    void setRememberedEncoding(RememberedEncoding e) override { encoding = e; }
};

double Best(int runs, const std::function<void()> &work)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"EMAILS.TXT"_s);
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        QByteArray chunk;
        for (int i = 0; i < 1000000; ++i)
            chunk += "Ren\xE9 L\xE9ger-Dupr\xE9 <rene.leger" + QByteArray::number(100000 + i) + "@exemple.test>\r\n";
        f.write(chunk);
    }
    const qint64 size = QFileInfo(path).size();

    CompactLineList list;
    const double load = Best(5, [&] { LoadLineList(list, path); });
    const double iconv = Best(5, [&] {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(u"iconv"_s, {u"-f"_s, u"WINDOWS-1252"_s, u"-t"_s, u"UTF-16LE"_s, path});
        p.waitForFinished(-1);
    });
    std::printf("file: %.1f MB, %lld lines, code page %s\n", size / 1e6, qlonglong(list.lineCount()),
                list.encoding.codePage == AnsiCodePage::Windows1252 ? "Windows-1252" : "UTF-8");
    std::printf("LoadLineList into a compact holder: %8.1f ms\n", load);
    std::printf("iconv to UTF-16LE (reference):      %8.1f ms\n", iconv);
    std::printf("ratio: %.2f (goal: at most 2)\n", load / iconv);
    return 0;
}
