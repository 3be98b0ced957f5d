#pragma once

#include <QLocale>

class RecipientList;

// Sorts the lines by the collation of locale, ignoring case. Lines that compare equal keep
// their former order. Marks move with their lines; the selection keeps its row.
void SortRecipientLines(RecipientList &list, const QLocale &locale);
