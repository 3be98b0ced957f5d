#pragma once

#include <QByteArray>

// On a Wayland desktop a native Wayland window cannot place itself, so the window could not
// come back where the user left it: when no platform is asked for (QT_QPA_PLATFORM unset or
// empty) and an X server is reachable too (XWayland: DISPLAY set beside WAYLAND_DISPLAY), the
// program takes the X11 platform. Returns the platform to set, or an empty array to leave
// Qt's own choice.
QByteArray PlatformForWindowPlacement(const QByteArray &qpaPlatform, const QByteArray &waylandDisplay,
                                      const QByteArray &x11Display);

// Applies it to this process's environment; to be called before the application object is
// made, which reads QT_QPA_PLATFORM.
void ChoosePlatformForWindowPlacement();
