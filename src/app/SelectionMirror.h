#pragma once

#include <QObject>
#include <QPointer>

class ListSelection;
class QAbstractItemView;

// Shows a list model's selection in its view, and only that. Whatever the view does by itself
// (its current row moving when rows are removed, reset or sorted, the focus arriving, its
// keyboard search) never reaches the model's selection: the view is set back to the model's
// selected row, or to none. The user's own gestures reach the model through the widget's event
// handlers, which call ListSelection::choose; this helper never does.
// Make it once the view has its model (it must hear of the model's changes after the view).
class SelectionMirror : public QObject
{
    Q_OBJECT
public:
    SelectionMirror(QAbstractItemView &view, ListSelection &selection);

    // Sets the view to the model's selected row now.
    void sync();

private:
    void syncSoon();

    QAbstractItemView &m_view;
    QPointer<ListSelection> m_selection;
    bool m_syncing = false;
    bool m_syncPending = false;
};
