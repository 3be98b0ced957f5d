#include "subjects/SubjectRules.h"

#include "helpers/Dialogs.h"
#include "subjects/SubjectList.h"

using namespace Qt::StringLiterals;

bool AddIfNew(SubjectList &list, const QString &text, bool notify, Dialogs &dialogs)
{
    const QString folded = AsciiUpper(text);
    if (folded.isEmpty())
        return false;
    for (qsizetype i = 0; i < list.lineCount(); ++i) {
        if (AsciiUpper(list.lineAt(i)) == folded)
            return false;
    }
    list.append(text);
    if (notify)
        dialogs.ShowNotice(u"\"%1\" ajouté à la liste"_s.arg(text), MsgKind::Information);
    return true;
}

std::optional<SubjectCompletion> CompleteSubject(const QStringList &entries, QStringView before, QStringView typed,
                                                 QStringView after)
{
    QString wouldBe;
    wouldBe.reserve(before.size() + typed.size() + after.size());
    wouldBe.append(before).append(typed).append(after);
    for (int i = 0; i < entries.size(); ++i) {
        const QString &entry = entries.at(i);
        if (entry.startsWith(wouldBe, Qt::CaseInsensitive)) {
            const qsizetype rest = entry.size() - wouldBe.size();
            return SubjectCompletion{entry, wouldBe.size(), rest, i};
        }
    }
    return std::nullopt;
}
