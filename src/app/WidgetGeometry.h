#pragma once

#include "config/FormGeometry.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QTimer>

class QWidget;

// A top-level widget seen by the geometry helpers through its outer frame.
//
// Qt positions a window by its frame but sizes it by its client area, and the frame's size is
// known only once the window manager has framed the window. A frame size set before that is
// kept and applied again, minus the real frame, as soon as the frame is known, so that a saved
// geometry restores to the same frame instead of growing by the frame at every start.
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
    QRect workArea() const override;

    // True while a frame size waits for the window manager's frame.
    bool waitingForFrame() const { return m_pending; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isFramed() const;
    QSize frameMargins() const;
    bool givesBackOwnSize(int value, int own) const;
    QSize wantedClientSize() const;
    void applyWantedSize();
    void settleWhenFramed();

    QPointer<QWidget> m_window;
    QSize m_wanted; // the frame size last asked for
    bool m_pending = false; // asked for before the frame was known
    bool m_keepWidth = false; // the window's own width was given back before the frame was known
    bool m_keepHeight = false;
    QTimer m_poll; // a window manager may frame without any move or resize
    int m_pollsLeft = 0;
};
