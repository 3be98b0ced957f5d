#pragma once

#include "config/FormGeometry.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QTimer>

#include <optional>

class QWidget;

// A top-level widget seen by the geometry helpers through its outer frame.
//
// Qt positions a window by its frame but sizes it by its client area, and the frame's size is
// known only once the window manager has framed the window. A frame size set before that is
// kept and applied again, minus the real frame, as soon as the frame is known, so that a saved
// geometry restores to the same frame instead of growing by the frame at every start. Some
// window managers never frame a window (none at all, tiling ones): the wait then ends when the
// window is resized by someone else, or after a few seconds, and from then on the window's
// real geometry is what it reports.
// Create it as a child of the window it adapts (it lives as long as the window).
class WidgetGeometry : public QObject, public GeometryWindow
{
    Q_OBJECT
public:
    explicit WidgetGeometry(QWidget *window);

    QString windowName() const override;
    QRect frame() const override;
    void setFrameLeft(int left) override;
    void setFrameTop(int top) override;
    void setFrameWidth(int width) override;
    void setFrameHeight(int height) override;
    void setFrameRight(int right) override;
    QRect workArea() const override;

    // True while a frame size or position waits for the window manager's frame.
    bool waitingForFrame() const { return m_pending; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isFramed() const;
    QSize frameMargins() const;
    void applyWantedSize();
    void settleWhenFramed();
    void stopWaiting();

    QPointer<QWidget> m_window;
    QSize m_wanted; // the frame size last asked for
    QSize m_asked; // the client size asked for it
    bool m_pending = false; // asked for before the frame was known
    // A right edge asked for before the frame was known, with the client width of that moment.
    std::optional<std::pair<int, int>> m_rightEdge;
    QTimer m_poll; // a window manager may frame without any move or resize
    int m_pollsLeft = 0;
};
