#pragma once

#include <QObject>
#include <QPoint>
#include <QStringList>

class QMimeData;
class QWidget;

// Makes one control a target for files dragged from the desktop's file manager. Only a
// list of local files is accepted; the control's own drop handling (a text field would
// paste the path or the text) never runs. Every other drag is refused.
class DropZone : public QObject
{
    Q_OBJECT
public:
    // target: the control; for a scroll area the drop lands on its viewport, which is
    // watched instead.
    DropZone(const QString &name, QWidget *target);

    QWidget *target() const { return m_target; }

    // The full local paths of all the files, in the drag's order; empty unless every item
    // is a local file.
    static QStringList LocalFilePaths(const QMimeData *mime);

signals:
    // pos: the drop point in the target control's coordinates.
    void filesDropped(const QStringList &paths, const QPoint &pos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_target;
};
