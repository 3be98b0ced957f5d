#include "FileNameList.h"

#include "LineHeightDelegate.h"
#include "WindowLook.h"

#include <QDir>
#include <QMouseEvent>

FileNameList::FileNameList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new LineHeightDelegate(Scaled(LineHeight), this));
}

void FileNameList::readDirectory(const QString &folder)
{
    m_directory = folder;
    const QStringList names = QDir(folder).entryList({m_mask}, QDir::Files | QDir::NoDotAndDotDot,
                                                     QDir::Name | QDir::IgnoreCase);
    {
        const QSignalBlocker quiet(this);
        clear();
        addItems(names);
        setCurrentRow(-1);
        clearSelection();
    }
    emit reread();
}

void FileNameList::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        event->accept(); // the context menu follows; the selection stays
        return;
    }
    QListWidget::mousePressEvent(event);
}
