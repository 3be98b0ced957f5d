// One measure of the recipient list's commands on the program's own classes, for
// bench/run-recipients.sh, which runs it once per repetition beside its reference:
//
//   bench_recipients MEASURE FILE [TEXT]
//
// The list is loaded from FILE (not timed), then one command is timed:
//   search   the search of a keystroke in Edit1 (Edit1Change) for TEXT, a full scan when no
//            line holds it
//   sort     "Trier" in the French collation (SortRecipientLines, fr_FR)
//   upper    "Tout en Majuscules"
//   strip    "Supprimer les < et les >"
//   delete   "Supprimer l'email" of one marked line in the middle
//   save     "Enregistrer les modifications", into a file beside FILE (FILE.sauve.txt)
// and printed as "RESULT ms <milliseconds>", with "RESULT lines <count>" and, for search,
// "RESULT found <index>" (the line count when no line holds the text).

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
#include <QTextStream>

#include <functional>
#include <map>

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
    void ReportError(const QString &message) override
    {
        QTextStream(stderr) << "error: " << message << '\n';
        errors = true;
    }
    std::optional<QString> ChooseFileToOpen(const QString &, const QString &, const QStringList &) override
    {
        return std::nullopt;
    }
    bool errors = false;
};

// The window's recipient caption: nothing to show in a benchmark.
class NoRecipientsWindow : public RecipientsWindow
{
public:
    QString currentRecipient() const override { return QString(); }
    void setCurrentRecipient(const QString &) override {}
    void setSendButtonCaption(const QString &) override {}
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() < 3) {
        QTextStream(stderr) << "usage: bench_recipients search|sort|upper|strip|delete|save FILE [TEXT]\n";
        return 2;
    }
    const QString measure = args[1];
    const QString file = args[2];
    const QString text = args.size() > 3 ? args[3] : u"zorglub"_s;

    RecipientList list;
    AnswerOk dialogs;
    WorkingState state;
    NoRecipientsWindow window;
    RecipientCommands commands(list, state, window, dialogs, QLocale(u"fr_FR"_s));
    LoadLineList(list, file);
    state.FILES.LISTE_EMAILS = file + u".sauve.txt"_s;

    const std::map<QString, std::function<void()>> measures{
        {u"search"_s, [&] { Edit1Change(list, text); }}, {u"sort"_s, [&] { commands.Sort(); }},
        {u"upper"_s, [&] { commands.Upper(); }},         {u"strip"_s, [&] { commands.StripBrackets(); }},
        {u"delete"_s, [&] { commands.Delete(); }},       {u"save"_s, [&] { commands.Save(); }},
    };
    const auto it = measures.find(measure);
    if (it == measures.end()) {
        QTextStream(stderr) << "unknown measure " << measure << '\n';
        return 2;
    }
    if (measure == u"delete")
        list.setMarked(list.lineCount() / 2, true);

    QElapsedTimer timer;
    timer.start();
    try {
        it->second();
    } catch (const AppError &error) {
        dialogs.ReportError(error.message());
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    out << "RESULT ms " << QString::number(ms, 'f', 2) << '\n';
    out << "RESULT lines " << list.lineCount() << '\n';
    if (measure == u"search")
        out << "RESULT found " << list.searchPosition() << '\n';
    return dialogs.errors ? 1 : 0;
}
