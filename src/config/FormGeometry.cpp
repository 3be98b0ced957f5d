#include "config/FormGeometry.h"

#include "files/IniFile.h"

using namespace Qt::StringLiterals;

static QString GeometryText(const QRect &frame)
{
    return u"%1:%2:%3:%4"_s.arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
}

void SaveFormGeometry(const GeometryWindow &window, const QString &section, const QString &iniPath)
{
    IniWriteString(section, window.windowName(), GeometryText(window.frame()), iniPath);
}

void RestoreFormGeometry(GeometryWindow &window, const QString &section, const QString &iniPath)
{
    const QRect area = window.workArea();
    QString value;
    if (!IniTextValue(IniReadText(iniPath), section, window.windowName(), value)) {
        // Nothing stored: the current frame, read back, is only limited. Setting it again
        // would fix a position that the window manager is to choose.
        const QRect frame = window.frame();
        if (frame.x() > area.width())
            window.setFrameRight(area.width());
        if (frame.y() < 0)
            window.setFrameTop(0);
        if (frame.width() > area.width())
            window.setFrameWidth(area.width());
        if (frame.height() > area.height())
            window.setFrameHeight(area.height());
        return;
    }
    const QStringList parts = SplitString(value, u":"_s);
    if (parts.size() < 4)
        return; // nothing usable stored: the window keeps its geometry

    const int left = ParseIniInteger(parts[0]);
    if (left > area.width())
        window.setFrameRight(area.width()); // with the outer width it has before the stored one
    else
        window.setFrameLeft(left);

    const int top = ParseIniInteger(parts[1]);
    window.setFrameTop(top < 0 ? 0 : top);

    const int width = ParseIniInteger(parts[2]);
    window.setFrameWidth(width > area.width() ? area.width() : width);

    const int height = ParseIniInteger(parts[3]);
    window.setFrameHeight(height > area.height() ? area.height() : height);
}
