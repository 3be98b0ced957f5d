#include "helpers/ListSelection.h"

#include <QAbstractItemModel>

ListSelection::ListSelection(const QAbstractItemModel &model, QObject *parent) : QObject(parent), m_model(model)
{
    // Connected when the model is made, before any view: the selection is up to date by the
    // time a view hears of a change.
    connect(&model, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &within, int first, int last) {
        if (within.isValid() || m_row < first)
            return;
        setRow(m_row > last ? m_row - (last - first + 1) : -1);
    });
    connect(&model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &within, int first, int last) {
        if (!within.isValid() && m_row >= first)
            setRow(m_row + (last - first + 1));
    });
    connect(&model, &QAbstractItemModel::modelReset, this, [this] { setRow(-1); });
    // A new order of the rows (sorting) leaves the selection on its row, whatever line now
    // stands there.
}

bool ListSelection::inRange(qsizetype row) const
{
    return row >= 0 && row < m_model.rowCount();
}

bool ListSelection::select(qsizetype row)
{
    if (row != -1 && !inRange(row))
        return false;
    setRow(row);
    return true;
}

void ListSelection::choose(qsizetype row)
{
    if (!inRange(row))
        return;
    setRow(row);
    emit chosen(row);
}

void ListSelection::setRow(qsizetype row)
{
    if (row == m_row)
        return;
    m_row = row;
    emit changed(row);
}
