#include "WidgetGeometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QWidget>

WidgetGeometry::WidgetGeometry(QWidget *window) : QObject(window), m_window(window)
{
    m_window->installEventFilter(this);
    m_poll.setInterval(50);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        settleWhenFramed();
        if (m_pending && --m_pollsLeft <= 0)
            stopWaiting(); // no frame is coming: the window manager draws none
        if (!m_pending)
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
    // Until the frame is known, the size asked for is the best account of the window, with
    // what its layout has since added or taken away (a size below its minimum, at show).
    if (m_pending && m_wanted.isValid())
        return QRect(frame.topLeft(), m_wanted + (m_window->size() - m_asked));
    return frame;
}

void WidgetGeometry::setFrameLeft(int left)
{
    m_rightEdge.reset();
    m_window->move(left, m_window->frameGeometry().y()); // move() places the frame
}

void WidgetGeometry::setFrameTop(int top)
{
    m_window->move(m_window->frameGeometry().x(), top);
}

void WidgetGeometry::setFrameRight(int right)
{
    const int width = frame().width();
    m_window->move(right - width, m_window->frameGeometry().y());
    if (isFramed()) {
        m_rightEdge.reset();
    } else {
        // The outer width is the client's plus a frame still to come.
        m_rightEdge = std::pair(right, m_pending ? width - frameMargins().width() : m_window->width());
        m_pending = true;
    }
}

void WidgetGeometry::setFrameWidth(int width)
{
    m_wanted = QSize(width, frame().height());
    applyWantedSize();
}

void WidgetGeometry::setFrameHeight(int height)
{
    m_wanted = QSize(frame().width(), height);
    applyWantedSize();
}

QRect WidgetGeometry::workArea() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void WidgetGeometry::applyWantedSize()
{
    m_pending = !isFramed();
    const QSize asked = m_wanted - frameMargins();
    // A size below what the window's layout allows is clamped to it on purpose (against the
    // rule that a stored size is used unchanged): the window keeps its controls usable, and
    // the clamped size is the one reported, and so saved.
    m_window->resize(asked);
    m_asked = asked;
}

void WidgetGeometry::settleWhenFramed()
{
    if (!m_pending || !isFramed())
        return;
    m_pending = false;
    const QSize margins = frameMargins();
    if (m_wanted.isValid())
        m_window->resize(m_wanted - margins);
    if (m_rightEdge) {
        const auto [right, clientWidth] = *m_rightEdge;
        m_window->move(right - clientWidth - margins.width(), m_window->frameGeometry().y());
        m_rightEdge.reset();
    }
}

void WidgetGeometry::stopWaiting()
{
    m_pending = false;
    m_rightEdge.reset();
}

bool WidgetGeometry::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && m_pending) {
        switch (event->type()) {
        case QEvent::Show:
            m_pollsLeft = 100; // five seconds at most
            m_poll.start();
            break;
        case QEvent::Resize:
            settleWhenFramed();
            // Resized to another size than asked, by the user or a window manager that draws
            // no frame: that size is the window's from now on.
            if (m_pending && m_window->isVisible() && m_asked.isValid()
                && static_cast<QResizeEvent *>(event)->size() != m_asked)
                stopWaiting();
            break;
        case QEvent::Move:
        case QEvent::Expose:
            settleWhenFramed();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
