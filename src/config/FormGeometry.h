#pragma once

#include <QRect>
#include <QString>

// A window as the geometry helpers see it: its name, its outer frame in screen pixels, and
// the primary screen's work area. Each setter takes effect on the window at once.
class GeometryWindow
{
public:
    virtual ~GeometryWindow() = default;

    virtual QString windowName() const = 0;
    virtual QRect frame() const = 0; // outer frame: position and size, frame included
    virtual void setFrameLeft(int left) = 0;
    virtual void setFrameTop(int top) = 0;
    virtual void setFrameWidth(int width) = 0;
    virtual void setFrameHeight(int height) = 0;
    // Places the frame so that its right edge is at right, with the width it has now. A window
    // whose frame is not known yet may redo it once the frame is known.
    virtual void setFrameRight(int right) { setFrameLeft(right - frame().width()); }
    virtual QRect workArea() const = 0;
};

// Stores "left:top:width:height" of the frame under the window's name, in the given section
// (named after the executable) of the configuration file at iniPath.
void SaveFormGeometry(const GeometryWindow &window, const QString &section, const QString &iniPath);

// Restores the stored frame: a left beyond the work area's width becomes that width minus the
// window's outer width, a top above 0 becomes 0, a width or height beyond the work area's
// becomes the work area's. With nothing stored only those limits are applied to the current
// frame, so that a first start leaves the window where the window manager puts it. A stored
// value with fewer than four parts leaves the window as it is. A part that is not an integer throws
// AppError("''%s'' n'est pas une valeur entière valide") after the parts before it are applied.
void RestoreFormGeometry(GeometryWindow &window, const QString &section, const QString &iniPath);
