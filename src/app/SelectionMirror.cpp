#include "SelectionMirror.h"

#include "helpers/ListSelection.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QScopedValueRollback>

SelectionMirror::SelectionMirror(QAbstractItemView &view, ListSelection &selection)
    : QObject(&view),
      m_view(view),
      m_selection(&selection)
{
    connect(&selection, &ListSelection::changed, this, &SelectionMirror::sync);
    // The view's own moves, made while it handles an event or a change of its model: set back
    // once it is done with them (changing them from inside would fight its own bookkeeping).
    QItemSelectionModel *viewSelection = view.selectionModel();
    connect(viewSelection, &QItemSelectionModel::currentChanged, this, &SelectionMirror::syncSoon);
    connect(viewSelection, &QItemSelectionModel::selectionChanged, this, &SelectionMirror::syncSoon);
    // After the view has taken in a change of the rows (connected after the view's own).
    QAbstractItemModel *model = view.model();
    connect(model, &QAbstractItemModel::rowsRemoved, this, &SelectionMirror::sync);
    connect(model, &QAbstractItemModel::rowsInserted, this, &SelectionMirror::sync);
    connect(model, &QAbstractItemModel::rowsMoved, this, &SelectionMirror::sync);
    connect(model, &QAbstractItemModel::modelReset, this, &SelectionMirror::sync);
    connect(model, &QAbstractItemModel::layoutChanged, this, &SelectionMirror::sync);
    sync();
}

void SelectionMirror::syncSoon()
{
    if (m_syncing || m_syncPending)
        return;
    m_syncPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_syncPending = false;
            sync();
        },
        Qt::QueuedConnection);
}

void SelectionMirror::sync()
{
    if (!m_selection || !m_view.model() || !m_view.selectionModel())
        return;
    const QScopedValueRollback guard(m_syncing, true);
    QItemSelectionModel *viewSelection = m_view.selectionModel();
    const qsizetype row = m_selection->row();
    if (row >= 0 && row < m_view.model()->rowCount()) {
        const QModelIndex index = m_view.model()->index(int(row), 0);
        if (viewSelection->currentIndex() != index || viewSelection->selectedIndexes() != QModelIndexList{index})
            viewSelection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    } else {
        if (viewSelection->hasSelection())
            viewSelection->clearSelection();
        if (viewSelection->currentIndex().isValid())
            viewSelection->clearCurrentIndex();
    }
}
