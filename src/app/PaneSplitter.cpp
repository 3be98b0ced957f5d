#include "PaneSplitter.h"

QSplitterHandle *PaneSplitter::createHandle()
{
    return new PaneEdge(orientation(), this);
}
