#include "SelectionListView.h"

#include "SelectionMirror.h"

#include <QKeyEvent>

void SelectionListView::showSelection(ListSelection &selection)
{
    delete m_mirror;
    m_mirror = new SelectionMirror(*this, selection);
}

void SelectionListView::pressLine(int row)
{
    emit linePressed(row);
}

void SelectionListView::toggleLine(int) {}

std::optional<int> SelectionListView::navigationTarget(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    CursorAction move;
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        move = MoveUp;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        move = MoveDown;
        break;
    case Qt::Key_PageUp:
        move = MovePageUp;
        break;
    case Qt::Key_PageDown:
        move = MovePageDown;
        break;
    case Qt::Key_Home:
        move = MoveHome;
        break;
    case Qt::Key_End:
        move = MoveEnd;
        break;
    default:
        return std::nullopt;
    }
    if (m_mirror)
        m_mirror->sync(); // from the selected row, not from where the view may have wandered
    return moveCursor(move, event.modifiers()).row();
}

void SelectionListView::keyboardSearch(const QString &)
{
    // Off: typing is the list owner's affair.
}

void SelectionListView::focusInEvent(QFocusEvent *event)
{
    QListView::focusInEvent(event); // makes a first row current when none is
    if (m_mirror)
        m_mirror->sync();
}
