#pragma once

#include <QFrame>

// A panel without a caption that only holds other controls (the search bar, the right-hand
// area): a screen reader walks through it without announcing it, where a plain frame would be
// read as a window of its own.
class PlainPanel : public QFrame
{
    Q_OBJECT
public:
    using QFrame::QFrame;
};
