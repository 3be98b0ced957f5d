#include "FileNameList.h"

#include "LineHeightDelegate.h"
#include "WindowLook.h"
#include "subjects/SignatureTemplates.h"

#include <QKeyEvent>
#include <QMouseEvent>

FileNameList::FileNameList(QWidget *parent) : SelectionListView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new LineHeightDelegate(Scaled(LineHeight), this));
}

void FileNameList::setTemplates(SignatureTemplates *templates)
{
    if (m_templates)
        disconnect(m_templates, nullptr, this, nullptr);
    m_templates = templates;
    QItemSelectionModel *previous = selectionModel();
    setModel(templates);
    delete previous; // setModel leaves the old selection model to its owner
    if (!templates)
        return;
    showSelection(templates->selection());
    connect(&templates->selection(), &ListSelection::chosen, this, [this](qsizetype row) { emit picked(int(row)); });
    connect(templates, &QAbstractItemModel::modelReset, this, &FileNameList::reread);
}

void FileNameList::pick(int row)
{
    if (m_templates && row >= 0 && row != m_templates->selectedIndex())
        m_templates->selection().choose(row);
}

void FileNameList::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return; // the context menu follows; the selection stays
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    pick(indexAt(event->position().toPoint()).row());
}

void FileNameList::pressLine(int row)
{
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    pick(row);
}

void FileNameList::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() != Qt::NoButton)
        return; // no selection by dragging
    QListView::mouseMoveEvent(event);
}

void FileNameList::keyPressEvent(QKeyEvent *event)
{
    if (const std::optional<int> target = navigationTarget(*event)) {
        event->accept();
        pick(*target);
        return;
    }
    QListView::keyPressEvent(event);
}

void FileNameList::showEvent(QShowEvent *event)
{
    QListView::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        emit firstShown();
    }
}
