// One drop of a big file on the real window (offscreen), for bench/run-bigdrop.sh, which
// runs each case in its own process under /usr/bin/time to get its peak memory.
// Usage: bench_bigdrop make FILE MEGABYTES   writes pseudo-random bytes without zeros
//        bench_bigdrop read FILE             the reference: only reads the file into memory
//        bench_bigdrop none|list|message FILE   the window, then a drop on nothing, the
//                                             recipient list or the message field
#include "TForm1.h"
#include "dispatch/MailHandoff.h"
#include "files/WorkingFiles.h"
#include "helpers/Dialogs.h"
#include "recipients/RecipientSearch.h"

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QWindow>

#include <cstdio>
#include <cstring>

namespace {

struct QuietDialogs : Dialogs
{
    MsgResult ShowMessageBox(const QString &text, MsgKind, const QList<MsgButton> &, std::optional<MsgButton>) override
    {
        std::printf("box: %s\n", qUtf8Printable(text));
        return MsgButton::OK;
    }
    bool InputQuery(const QString &, const QString &, QString &) override { return false; }
    void ReportError(const QString &message) override { std::printf("error: %s\n", qUtf8Printable(message)); }
    std::optional<QString> ChooseFileToOpen(const QString &, const QString &, const QStringList &) override
    {
        return std::nullopt;
    }
};

struct NoMail : MailHandoff
{
    void openMailLink(const QByteArray &) override {}
};

int Make(const QString &path, qsizetype megabytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    QByteArray block(1 << 20, Qt::Uninitialized);
    quint64 state = 0x9E3779B97F4A7C15ULL;
    for (qsizetype n = 0; n < megabytes * 1000 * 1000; n += block.size()) {
        for (qsizetype i = 0; i < block.size(); i += 8) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            std::memcpy(block.data() + i, &state, 8);
        }
        block.replace('\0', '\1');
        f.write(block.constData(), std::min<qsizetype>(block.size(), megabytes * 1000 * 1000 - n));
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3)
        return 2;
    const QByteArray mode = argv[1];
    const QString file = QString::fromLocal8Bit(argv[2]);
    if (mode == "make")
        return Make(file, argc > 3 ? std::atoll(argv[3]) : 100);
    QElapsedTimer clock;
    if (mode == "read") {
        clock.start();
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = f.readAll();
        std::printf("read %lld bytes in %lld ms\n", qlonglong(bytes.size()), clock.elapsed());
        return 0;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QuietDialogs dialogs;
    NoMail mail;
    SteadyClock steadyClock;
    TForm1 form(WorkingStateBeside(QCoreApplication::applicationFilePath()), {dialogs, mail, steadyClock});
    form.show();
    QApplication::processEvents();
    const char *control = mode == "list" ? "JvCheckListBox1" : mode == "message" ? "Memo_MSG" : nullptr;
    if (!control)
        return 0;
    QWidget *target = form.findChild<QWidget *>(QString::fromLatin1(control));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file)});
    const QPoint at = target->mapTo(&form, target->rect().center());
    clock.start();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.windowHandle(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.windowHandle(), &drop);
    const qint64 dropped = clock.restart();
    form.repaint();
    std::printf("%s: drop %lld ms, then a repaint %lld ms\n", control, dropped, clock.elapsed());
    return 0;
}
