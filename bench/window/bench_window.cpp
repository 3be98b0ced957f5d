// One measure of the real window (built as main() builds it, on the offscreen platform) for
// the benchmark scripts, which run it once per repetition, each time in a fresh process:
//
//   bench_window load FILE       the list loaded into the shown window ("Load", as at show
//                                or after a drop) and its first screen painted
//   bench_window drop-list FILE  FILE dropped on the recipient list, then the window painted
//   bench_window drop-message FILE  FILE dropped on the message field, then the window painted
//   bench_window read FILE       the reference for the drops: FILE read into memory, no more
//   bench_window make FILE MB    writes MB megabytes of pseudo-random bytes, none of them zero
//
// Prints "RESULT ms <time of the measured step>", and the memory around it: "RESULT idle_kb"
// (resident before the step: the idle window, or the bare process for read), "RESULT after_kb"
// (resident after it) and "RESULT peak_kb" (the peak during it). Also "RESULT lines" (the
// list's lines afterwards), "RESULT paints" (paint events of the list during the step),
// "RESULT top_row" (the row painted at the top: 0 once a list is shown, -1 for none) and
// "RESULT errors" (the error reports shown).

#include "DesktopMailHandoff.h"
#include "Startup.h"
#include "TForm1.h"
#include "files/WorkingFiles.h"
#include "helpers/DialogTexts.h"
#include "helpers/Dialogs.h"
#include "recipients/RecipientList.h"
#include "recipients/RecipientSearch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QTextStream>
#include <QWindow>

#include <cstdlib>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

QTextStream out(stdout);

class QuietDialogs : public Dialogs
{
public:
    MsgResult ShowMessageBox(const QString &text, MsgKind, const QList<MsgButton> &, std::optional<MsgButton>) override
    {
        QTextStream(stderr) << "box: " << text << '\n';
        return MsgButton::OK;
    }
    bool InputQuery(const QString &, const QString &, QString &) override { return false; }
    void ReportError(const QString &message) override
    {
        QTextStream(stderr) << "error: " << message << '\n';
        ++errors;
    }
    std::optional<QString> ChooseFileToOpen(const QString &, const QString &, const QStringList &) override
    {
        return std::nullopt;
    }
    int errors = 0;
};

qint64 StatusKb(const char *field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').first().toLongLong();
    return -1;
}

// From here on the peak counts only what comes after.
void ResetPeak()
{
    QFile clear(u"/proc/self/clear_refs"_s);
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        QTextStream(stderr) << "cannot reset the peak memory (/proc/self/clear_refs)\n";
}

void Report(const char *name, double value)
{
    out << "RESULT " << name << ' ' << QString::number(value, 'f', 2) << '\n';
}

int Make(const QString &path, qsizetype megabytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    QByteArray block(1 << 20, Qt::Uninitialized);
    quint64 state = 0x9E3779B97F4A7C15ULL;
    const qsizetype total = megabytes * 1000 * 1000;
    for (qsizetype n = 0; n < total; n += block.size()) {
        for (qsizetype i = 0; i < block.size(); i += 8) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            std::memcpy(block.data() + i, &state, 8);
        }
        block.replace('\0', '\1');
        if (f.write(block.constData(), std::min<qsizetype>(block.size(), total - n)) < 0)
            return 1;
    }
    return 0;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void Drop(TForm1 &form, QWidget *target, const QString &file)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file)});
    const QPoint at = target->mapTo(&form, target->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.windowHandle(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.windowHandle(), &drop);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        QTextStream(stderr) << "usage: bench_window load|drop-list|drop-message|read FILE | make FILE MB\n";
        return 2;
    }
    const QByteArray mode = argv[1];
    const QString file = QString::fromLocal8Bit(argv[2]);
    if (mode == "make")
        return Make(file, argc > 3 ? std::atoll(argv[3]) : 100);
    QElapsedTimer clock;
    if (mode == "read") {
        const qint64 idle = StatusKb("VmRSS:");
        ResetPeak();
        clock.start();
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = f.readAll();
        Report("ms", double(clock.nsecsElapsed()) / 1e6);
        Report("idle_kb", double(idle));
        Report("after_kb", double(StatusKb("VmRSS:")));
        Report("peak_kb", double(StatusKb("VmHWM:")));
        Report("bytes", double(bytes.size()));
        out.flush();
        return 0;
    }
    if (mode != "load" && mode != "drop-list" && mode != "drop-message") {
        QTextStream(stderr) << "unknown mode " << mode << '\n';
        return 2;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PrepareApplication();
    QuietDialogs dialogs;
    DesktopMailHandoff mail;
    SteadyClock typingClock;
    const auto form =
        StartUp(WorkingStateBeside(QCoreApplication::applicationFilePath()), {dialogs, mail, typingClock});
    for (int round = 0; round < 5; ++round)
        QApplication::processEvents();
    form->repaint();
    auto *list = form->findChild<QAbstractItemView *>(u"JvCheckListBox1"_s);
    PaintCounter counter;
    list->viewport()->installEventFilter(&counter);

    const qint64 idle = StatusKb("VmRSS:");
    ResetPeak();
    clock.start();
    // A load is what a drop of the file on the list does (with the one INI line it writes).
    Drop(*form, form->findChild<QWidget *>(mode == "drop-message" ? u"Memo_MSG"_s : u"JvCheckListBox1"_s), file);
    // What the event loop does next: the list lays its rows out, then the window is painted.
    QApplication::processEvents();
    form->repaint();
    Report("ms", double(clock.nsecsElapsed()) / 1e6);
    Report("idle_kb", double(idle));
    Report("after_kb", double(StatusKb("VmRSS:")));
    Report("peak_kb", double(StatusKb("VmHWM:")));
    Report("lines", double(form->recipients().lineCount()));
    Report("paints", counter.paints);
    // The first screen shows the list's first line at the top.
    Report("top_row", list->indexAt(QPoint(2, 2)).row());
    Report("errors", dialogs.errors);
    out.flush();
    std::fflush(stdout);
    std::_Exit(0); // the measure is done: no close hook, no teardown
}
