#include "BusyCursor.h"

#include <QGuiApplication>
#include <qguiapplication_platform.h>

#include <xcb/xcb.h>

namespace {

// The command runs without returning to the event loop, which is where requests to the X
// server are sent: send the new cursor now.
void ShowNow()
{
    if (QGuiApplication::platformName() != u"xcb")
        return;
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>(); x11 && x11->connection())
        xcb_flush(x11->connection());
}

} // namespace

BusyCursor::BusyCursor(When when)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (when == Now)
        ShowNow(); // otherwise the box's CursorLift shows it when the box closes
}

BusyCursor::~BusyCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

CursorLift::CursorLift()
{
    while (const QCursor *cursor = QGuiApplication::overrideCursor()) {
        m_lifted.append(*cursor);
        QGuiApplication::restoreOverrideCursor();
    }
    if (!m_lifted.isEmpty())
        ShowNow();
}

CursorLift::~CursorLift()
{
    for (qsizetype i = m_lifted.size() - 1; i >= 0; --i)
        QGuiApplication::setOverrideCursor(m_lifted.at(i));
    if (!m_lifted.isEmpty())
        ShowNow();
}
