#include "WidgetGeometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

WidgetGeometry::WidgetGeometry(QWidget *window) : QObject(window), m_window(window)
{
    m_window->installEventFilter(this);
    m_poll.setInterval(50);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        settleWhenFramed();
        if (!m_pending || --m_pollsLeft <= 0)
            m_poll.stop();
    });
}

QString WidgetGeometry::windowName() const
{
    return m_window->objectName();
}

bool WidgetGeometry::isFramed() const
{
    return m_window->isVisible() && m_window->frameGeometry() != m_window->geometry();
}

QSize WidgetGeometry::frameMargins() const
{
    return m_window->frameGeometry().size() - m_window->size();
}

QRect WidgetGeometry::frame() const
{
    const QRect frame = m_window->frameGeometry();
    // Until the frame is known, the size asked for is the best account of the window.
    return m_pending ? QRect(frame.topLeft(), m_wanted) : frame;
}

void WidgetGeometry::setFrameLeft(int left)
{
    m_window->move(left, m_window->frameGeometry().y()); // move() places the frame
}

void WidgetGeometry::setFrameTop(int top)
{
    m_window->move(m_window->frameGeometry().x(), top);
}

// Before the window is framed, frame() reports the window's own size. Giving that size back
// (a restore with nothing stored) keeps the window as it is: taken as a frame size, it would
// shrink the window by the frame still to come.
bool WidgetGeometry::givesBackOwnSize(int value, int own) const
{
    return !m_pending && !isFramed() && value == own;
}

void WidgetGeometry::setFrameWidth(int width)
{
    m_keepWidth = givesBackOwnSize(width, m_window->width());
    if (m_keepWidth)
        return;
    m_wanted = QSize(width, frame().height());
    applyWantedSize();
}

void WidgetGeometry::setFrameHeight(int height)
{
    m_keepHeight = givesBackOwnSize(height, m_window->height());
    if (m_keepHeight)
        return;
    m_wanted = QSize(frame().width(), height);
    applyWantedSize();
}

QSize WidgetGeometry::wantedClientSize() const
{
    const QSize margins = frameMargins();
    return QSize(m_keepWidth ? m_window->width() : m_wanted.width() - margins.width(),
                 m_keepHeight ? m_window->height() : m_wanted.height() - margins.height());
}

QRect WidgetGeometry::workArea() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void WidgetGeometry::applyWantedSize()
{
    m_pending = !isFramed();
    m_window->resize(wantedClientSize());
}

void WidgetGeometry::settleWhenFramed()
{
    if (m_pending && isFramed()) {
        m_pending = false;
        m_window->resize(wantedClientSize());
    }
}

bool WidgetGeometry::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && m_pending) {
        switch (event->type()) {
        case QEvent::Show:
            m_pollsLeft = 100; // five seconds at most
            m_poll.start();
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Expose:
            settleWhenFramed();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
