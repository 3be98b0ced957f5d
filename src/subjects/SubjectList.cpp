#include "subjects/SubjectList.h"

#include "helpers/AppError.h"

using namespace Qt::StringLiterals;

SubjectList::SubjectList(QObject *parent) : QStringListModel(parent), m_selection(*this) {}

qsizetype SubjectList::lineCount() const
{
    return rowCount();
}

QString SubjectList::lineAt(qsizetype index) const
{
    return data(this->index(int(index)), Qt::DisplayRole).toString();
}

void SubjectList::replaceLines(const QList<QStringView> &lines)
{
    if (lines.size() > MaxLineListLines)
        throw AppError::CannotInsertLine();
    QStringList entries;
    entries.reserve(lines.size());
    for (QStringView line : lines)
        entries.append(line.toString());
    setStringList(entries); // no entry selected any more
}

RememberedEncoding SubjectList::rememberedEncoding() const
{
    return m_encoding;
}

void SubjectList::setRememberedEncoding(RememberedEncoding encoding)
{
    m_encoding = encoding;
}

void SubjectList::append(const QString &entry)
{
    const int row = rowCount();
    insertRows(row, 1);
    setData(index(row), entry);
}

void SubjectList::removeEntry(int index)
{
    if (index < 0 || index >= rowCount())
        return;
    setSelectedIndex(-1);
    removeRows(index, 1);
}
