// Times the recipient list's core operations on one list file, several repetitions each,
// and prints one "RESULT <operation> <median ms>" line per operation for run-recipients.sh.
//
//   bench_recipients FILE REPETITIONS SEARCH_TEXT...   the timings
//   bench_recipients --memory FILE                      resident memory with FILE loaded

#include "files/TextFile.h"
#include "files/WorkingFiles.h"
#include "helpers/Dialogs.h"
#include "recipients/RecipientCommands.h"
#include "recipients/RecipientList.h"
#include "recipients/RecipientSearch.h"
#include "recipients/RecipientSort.h"
#include "recipients/RecipientsWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

class AnswerOk : public Dialogs
{
public:
    MsgResult ShowMessageBox(const QString &, MsgKind, const QList<MsgButton> &, std::optional<MsgButton>) override
    {
        return MsgButton::OK;
    }
    bool InputQuery(const QString &, const QString &, QString &) override { return true; }
    void ReportError(const QString &message) override { QTextStream(stderr) << message << '\n'; }
    std::optional<QString> ChooseFileToOpen(const QString &, const QString &, const QStringList &) override
    {
        return std::nullopt;
    }
};

// The window's recipient caption: nothing to show in a benchmark.
class NoRecipientsWindow : public RecipientsWindow
{
public:
    QString currentRecipient() const override { return QString(); }
    void setCurrentRecipient(const QString &) override {}
    void setSendButtonCaption(const QString &) override {}
};

QTextStream out(stdout);

// Runs prepare (not timed) then operation (timed) repetitions times; prints every time and
// the median.
void measure(const QString &name, int repetitions, const std::function<void()> &prepare,
             const std::function<void()> &operation)
{
    std::vector<double> times;
    for (int r = 0; r < repetitions; ++r) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        operation();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    out << "RESULT " << name << ' ' << QString::number(median, 'f', 1) << "   (";
    for (double t : times)
        out << ' ' << QString::number(t, 'f', 1);
    out << " )\n";
    out.flush();
}

// Asks each row of one screen for what the view draws: text and check state.
void showScreenAt(const RecipientList &list, int top)
{
    qsizetype sum = 0;
    for (int row = top; row < std::min(top + 40, list.rowCount()); ++row) {
        sum += list.data(list.index(row)).toString().size();
        sum += list.data(list.index(row), Qt::CheckStateRole).toInt();
    }
    sum += list.longestLineRows(8).size();
    if (sum < 0)
        out << "";
}

qint64 statusKb(const char *field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').first().toLongLong();
    return -1;
}

int memory(const QString &file)
{
    RecipientList list;
    LoadLineList(list, file);
    showScreenAt(list, 0);
    out << "RESULT rss_kb " << statusKb("VmRSS:") << "\nRESULT peak_rss_kb " << statusKb("VmHWM:") << '\n';
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == u"--memory")
        return memory(args[2]);
    if (args.size() < 4) {
        QTextStream(stderr) << "usage: bench_recipients FILE REPETITIONS SEARCH_TEXT... | --memory FILE\n";
        return 2;
    }
    const QString file = args[1];
    const int repetitions = args[2].toInt();
    QTemporaryDir dir;
    AnswerOk dialogs;

    {
        std::unique_ptr<RecipientList> fresh;
        measure(
            u"load_and_show"_s, repetitions, [&] { fresh = std::make_unique<RecipientList>(); },
            [&] {
                LoadLineList(*fresh, file);
                showScreenAt(*fresh, 0);
            });
    }

    {
        // The model's own share of a load: the lines handed over, already decoded and split.
        QFile source(file);
        source.open(QIODevice::ReadOnly);
        const QString text = QString::fromLatin1(source.readAll());
        QList<QStringView> views;
        for (QStringView line : QStringView(text).split(u"\r\n"_s))
            views.append(line);
        views.removeLast();
        std::unique_ptr<RecipientList> fresh;
        measure(
            u"model_share_of_load"_s, repetitions, [&] { fresh = std::make_unique<RecipientList>(); },
            [&] { fresh->replaceLines(views); });
    }

    RecipientList list;
    WorkingState state;
    state.FILES.LISTE_EMAILS = dir.filePath(u"copie.txt"_s);
    NoRecipientsWindow window;
    RecipientCommands commands(list, state, window, dialogs, QLocale(u"fr_FR"_s));
    const auto reload = [&] { LoadLineList(list, file); };
    reload();
    measure(u"show_screen_far_down"_s, repetitions, {}, [&] { showScreenAt(list, list.rowCount() / 2 + 17); });
    for (int k = 3; k < args.size(); ++k) {
        const QString text = args[k];
        measure(u"search:"_s + text, repetitions, {}, [&] { Edit1Change(list, text); });
    }
    measure(u"sort_fr"_s, repetitions, reload, [&] { SortRecipientLines(list, QLocale(u"fr_FR"_s)); });
    measure(u"search_after_sort:"_s + args[3], repetitions, {}, [&] { Edit1Change(list, args[3]); });
    measure(u"upper"_s, repetitions, reload, [&] { commands.Upper(); });
    measure(u"strip_brackets"_s, repetitions, reload, [&] { commands.StripBrackets(); });
    measure(
        u"delete_marked_line"_s, repetitions,
        [&] {
            reload();
            list.setMarked(list.lineCount() / 2, true);
        },
        [&] { commands.Delete(); });
    measure(u"save"_s, repetitions, {}, [&] { commands.Save(); });
    return 0;
}
