#include "PlatformChoice.h"

#include <QtGlobal>

QByteArray PlatformForWindowPlacement(const QByteArray &qpaPlatform, const QByteArray &waylandDisplay,
                                      const QByteArray &x11Display)
{
    if (qpaPlatform.isEmpty() && !waylandDisplay.isEmpty() && !x11Display.isEmpty())
        return QByteArrayLiteral("xcb");
    return {};
}

void ChoosePlatformForWindowPlacement()
{
    const QByteArray platform =
        PlatformForWindowPlacement(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}
