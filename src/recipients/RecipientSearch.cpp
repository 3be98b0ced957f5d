#include "recipients/RecipientSearch.h"

#include "helpers/Dialogs.h"
#include "recipients/RecipientList.h"

#include <chrono>

using namespace Qt::StringLiterals;

qsizetype FindInListFrom(RecipientList &list, const QString &text, qsizetype start)
{
    const qsizetype found = list.findContaining(text, start);
    if (found < list.lineCount())
        list.selectIndex(found);
    list.setSearchPosition(found);
    return found;
}

qsizetype FindPrefixInList(const RecipientList &list, const QString &text)
{
    return list.findStartingWith(text);
}

void Edit1Change(RecipientList &list, const QString &edit1Text)
{
    if (edit1Text.isEmpty()) {
        list.setSearchPosition(0);
        return;
    }
    list.selectIndex(FindInListFrom(list, edit1Text, 0));
}

void NextClick(RecipientList &list, const QString &edit1Text)
{
    list.selectIndex(FindInListFrom(list, edit1Text, list.searchPosition() + 1));
}

void ResetSearch(RecipientList &list)
{
    list.setSearchPosition(0);
    list.selectIndex(-1);
}

void FindByPrefix(RecipientList &list, Dialogs &dialogs)
{
    QString value;
    if (dialogs.InputQuery(u"Rechercher"_s, u"Entrez un nom"_s, value))
        list.selectIndex(FindPrefixInList(list, value));
    if (list.selectedIndex() < 0)
        dialogs.ShowPlainMessage(value + u" non trouvé"_s);
}

qint64 SteadyClock::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

qsizetype TypeAhead::typed(RecipientList &list, QChar character)
{
    const qint64 now = m_clock.nowMs();
    if (m_typedBefore && now - m_lastTypedMs >= 500)
        m_prefix.clear();
    m_lastTypedMs = now;
    m_typedBefore = true;

    if (character == u'\b')
        m_prefix.chop(1);
    else
        m_prefix += character;

    qsizetype row = -1;
    if (!m_prefix.isEmpty())
        row = FindPrefixInList(list, m_prefix);
    else if (list.lineCount() > 0)
        row = 0;
    if (row >= 0)
        list.selection().choose(row); // the user's choice, also of the line already selected
    return row;
}
