#include "CheckListView.h"

#include "LineHeightDelegate.h"
#include "WindowLook.h"
#include "recipients/RecipientList.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

CheckListView::CheckListView(QWidget *parent)
    : SelectionListView(parent),
      m_delegate(new LineHeightDelegate(Scaled(LineHeight), this))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setItemDelegate(m_delegate);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
}

void CheckListView::setRecipientList(RecipientList *list)
{
    m_list = list;
    setModel(list);
    connect(list, &RecipientList::scrollToRequested, this,
            [this](qsizetype row) { scrollTo(model()->index(int(row), 0)); });
    connect(list, &RecipientList::longestLinesChanged, this, &CheckListView::updateLineWidth);
    showSelection(list->selection());
    updateLineWidth();
}

int CheckListView::lineWidth() const
{
    return m_delegate->fixedWidth();
}

void CheckListView::updateLineWidth()
{
    int widest = 0;
    if (m_list) {
        const QFontMetrics metrics = fontMetrics();
        for (qsizetype row : m_list->longestLineRows(MeasuredLines))
            widest = qMax(widest,
                          metrics.horizontalAdvance(LineHeightDelegate::paintedPart(m_list->lineAt(row)).toString()));
    }
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
    const int margins = 3 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const int width = widest + indicator + 2 * margins;
    if (width == m_delegate->fixedWidth())
        return;
    m_delegate->setFixedWidth(width);
    scheduleDelayedItemsLayout();
}

void CheckListView::changeEvent(QEvent *event)
{
    QListView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateLineWidth();
}

void CheckListView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid() || !m_list) {
        // A right-click opens the popup menu on the line selected before; a click below
        // the last line changes nothing.
        event->accept();
        if (event->button() == Qt::LeftButton && !hasFocus())
            setFocus(Qt::MouseFocusReason);
        return;
    }
    QListView::mousePressEvent(event); // also arms the check box under the mouse
    m_list->selection().choose(index.row());
}

void CheckListView::pressLine(int row)
{
    if (!m_list || row < 0 || row >= m_list->rowCount())
        return;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    m_list->selection().choose(row);
}

void CheckListView::toggleLine(int row)
{
    if (!m_list || row < 0 || row >= m_list->rowCount())
        return;
    pressLine(row);
    m_list->setMarked(row, !m_list->isMarked(row));
}

void CheckListView::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() != Qt::NoButton)
        return; // no selection by dragging
    QListView::mouseMoveEvent(event);
}

void CheckListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        event->accept();
        return;
    }
    QListView::mouseDoubleClickEvent(event);
    emit lineDoubleClicked(index.row());
}

void CheckListView::keyPressEvent(QKeyEvent *event)
{
    if (!m_list) {
        QListView::keyPressEvent(event);
        return;
    }
    if (const std::optional<int> target = navigationTarget(*event)) {
        event->accept();
        if (*target >= 0 && *target != m_list->selectedIndex())
            m_list->selection().choose(*target);
        return;
    }
    if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) {
        event->ignore();
        return;
    }
    QChar typed;
    switch (event->key()) {
    case Qt::Key_Space: {
        const qsizetype selected = m_list->selectedIndex();
        if (selected >= 0)
            m_list->setMarked(selected, !m_list->isMarked(selected));
        typed = u' ';
        break;
    }
    case Qt::Key_Backspace:
        typed = QChar(8);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        break; // nothing to the list
    default:
        if (event->text().size() == 1)
            typed = event->text().at(0); // control characters typed with Ctrl included
        break;
    }
    if (typed.isNull()) {
        event->ignore();
        return;
    }
    emit characterTyped(typed);
    event->accept();
}
