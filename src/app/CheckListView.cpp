#include "CheckListView.h"

#include "LineHeightDelegate.h"
#include "WindowLook.h"
#include "recipients/RecipientList.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

CheckListView::CheckListView(QWidget *parent)
    : QListView(parent),
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
    connect(list, &RecipientList::selectedIndexChanged, this, &CheckListView::mirrorSelection);
    connect(list, &RecipientList::scrollToRequested, this,
            [this](qsizetype row) { scrollTo(model()->index(int(row), 0)); });
    connect(list, &RecipientList::longestLinesChanged, this, &CheckListView::updateLineWidth);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        if (!m_mirroring && current.isValid())
            m_list->selectIndex(current.row());
    });
    updateLineWidth();
    mirrorSelection(list->selectedIndex());
}

void CheckListView::mirrorSelection(qsizetype row)
{
    m_mirroring = true;
    if (row >= 0 && row < model()->rowCount())
        selectionModel()->setCurrentIndex(model()->index(int(row), 0), QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->clear();
    m_mirroring = false;
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

void CheckListView::focusInEvent(QFocusEvent *event)
{
    // Taking the focus with no current line makes the first line current; that must not
    // select it, since no one chose it.
    m_mirroring = true;
    QListView::focusInEvent(event);
    m_mirroring = false;
    if (m_list)
        mirrorSelection(m_list->selectedIndex());
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
    m_list->selectIndex(index.row());
    mirrorSelection(m_list->selectedIndex());
    emit userSelected(index.row());
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
    const bool commandModifier = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (event->key() == Qt::Key_Space && !commandModifier) {
        const qsizetype selected = m_list->selectedIndex();
        if (selected >= 0)
            m_list->setMarked(selected, !m_list->isMarked(selected));
        emit characterTyped(u' ');
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Backspace && !commandModifier) {
        emit characterTyped(QChar(8));
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool typing = !commandModifier && text.size() == 1 && text.at(0).isPrint();
    if (typing) {
        emit characterTyped(text.at(0));
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const qsizetype before = m_list->selectedIndex();
        QListView::keyPressEvent(event);
        const int after = currentIndex().row();
        if (after >= 0 && after != before) {
            m_list->selectIndex(after);
            emit userSelected(after);
        }
        return;
    }
    default:
        event->ignore(); // Enter, Escape, Tab: nothing of the list's own
        return;
    }
}

void CheckListView::keyboardSearch(const QString &)
{
    // Typing in the list is reported by characterTyped; the view's own search stays off.
}
