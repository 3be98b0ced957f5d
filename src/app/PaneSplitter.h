#pragma once

#include <QSplitter>

// A splitter whose handles are panes' edges of their own kind, so that a screen reader can
// be told what dragging one changes (a plain splitter handle reports no usable role).
class PaneSplitter : public QSplitter
{
    Q_OBJECT
public:
    using QSplitter::QSplitter;

protected:
    QSplitterHandle *createHandle() override;
};

// The draggable edge between two panes of a PaneSplitter.
class PaneEdge : public QSplitterHandle
{
    Q_OBJECT
public:
    using QSplitterHandle::QSplitterHandle;
};
