#include "FileNameList.h"

#include "LineHeightDelegate.h"
#include "WindowLook.h"
#include "subjects/SignatureTemplates.h"

#include <QMouseEvent>

FileNameList::FileNameList(QWidget *parent) : QListView(parent)
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
    m_programChange = true;
    setModel(templates);
    m_programChange = false;
    delete previous; // setModel leaves the old selection model to its owner
    // A selection, not the current item: focusing the view makes its first item current
    // without selecting anything.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList selected = selectionModel()->selectedRows();
        if (m_programChange || selected.isEmpty() || !m_templates)
            return;
        const int row = selected.constFirst().row();
        if (row == m_templates->selectedIndex())
            return;
        m_templates->setSelectedIndex(row);
        emit picked(row);
    });
    if (templates) {
        connect(templates, &SignatureTemplates::selectedIndexChanged, this, &FileNameList::showSelection);
        connect(templates, &QAbstractItemModel::modelReset, this, [this] {
            showSelection(-1);
            emit reread();
        });
    }
}

void FileNameList::showSelection(int index)
{
    m_programChange = true;
    if (m_templates && index >= 0 && index < m_templates->rowCount())
        selectionModel()->setCurrentIndex(m_templates->index(index), QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->clear();
    m_programChange = false;
}

void FileNameList::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        event->accept(); // the context menu follows; the selection stays
        return;
    }
    QListView::mousePressEvent(event);
}

void FileNameList::showEvent(QShowEvent *event)
{
    QListView::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        emit firstShown();
    }
}
