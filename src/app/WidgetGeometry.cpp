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
    m_window->move(left, m_window->frameGeometry().y());   // move() places the frame
}

void WidgetGeometry::setFrameTop(int top)
{
    m_window->move(m_window->frameGeometry().x(), top);
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
    m_window->resize(m_wanted - frameMargins());
}

void WidgetGeometry::settleWhenFramed()
{
    if (m_pending && isFramed()) {
        m_pending = false;
        m_window->resize(m_wanted - frameMargins());
    }
}

bool WidgetGeometry::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && m_pending) {
        switch (event->type()) {
        case QEvent::Show:
            m_pollsLeft = 100;   // five seconds at most
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
