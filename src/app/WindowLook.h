#pragma once

#include <QFont>
#include <QString>

class QWidget;

// The window's typeface: Tahoma when the metric-compatible copy shipped by fonts-wine is
// installed (loaded once from its folder, which fontconfig does not search), DejaVu Sans
// otherwise. Its bold face is loaded only when it draws heavier than the regular one.
QString WindowFontFamily();

// A window font of the given height in pixels at 96 dpi, scaled for the screen.
QFont WindowFont(int pixelsAt96Dpi, bool bold = false);

// The window's sizes are drawn at 96 dpi; denser screens scale them by this factor.
double DpiScale();
int Scaled(int pixelsAt96Dpi);

// Scales every fixed size, minimum, maximum and layout margin under root by DpiScale().
// Nothing happens at 96 dpi.
void ScaleWidgetTree(QWidget *root);
