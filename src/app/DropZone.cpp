#include "DropZone.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

DropZone::DropZone(const QString &name, QWidget *target) : QObject(target), m_target(target)
{
    setObjectName(name);
    QWidget *surface = target;
    if (auto *area = qobject_cast<QAbstractScrollArea *>(target))
        surface = area->viewport();
    target->setAcceptDrops(true);
    surface->setAcceptDrops(true);
    surface->installEventFilter(this);
    if (surface != target)
        target->installEventFilter(this);
}

QStringList DropZone::LocalFilePaths(const QMimeData *mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl &url : mime->urls()) {
        if (!url.isLocalFile())
            return {};
        paths.append(url.toLocalFile());
    }
    return paths;
}

bool DropZone::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!LocalFilePaths(drag->mimeData()).isEmpty()) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::DragLeave:
        return true;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList paths = LocalFilePaths(drop->mimeData());
        if (paths.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        const QPoint pos = static_cast<QWidget *>(watched)->mapTo(m_target, drop->position().toPoint());
        emit filesDropped(paths, pos);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
