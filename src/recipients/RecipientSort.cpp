#include "recipients/RecipientSort.h"

#include "recipients/RecipientList.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>
#include <numeric>
#include <vector>

void SortRecipientLines(RecipientList &list, const QLocale &locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // The collator of the C locale makes its sort keys from the text as it stands, letter
    // case included: there the case is folded first.
    const bool foldCase = locale.language() == QLocale::C;
    const qsizetype count = list.lineCount();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(count));
    for (qsizetype i = 0; i < count; ++i)
        keys.push_back(collator.sortKey(foldCase ? list.lineAt(i).toCaseFolded() : list.lineAt(i)));
    std::vector<qsizetype> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
    keys = {};
    list.reorderLines(order);
}
