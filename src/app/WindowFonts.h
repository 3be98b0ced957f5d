#pragma once

class QWidget;

// Gives every control of the main window its font: the window font (11 pixels), the subject
// field (its edit and its list) in bold, the send button at 13 pixels bold. Menus keep the
// platform's font, as tooltips and the boxes do (they are windows of their own).
//
// Each control gets its font set on itself: under an application style sheet Qt does not
// hand a parent's font down to its children.
void SetWindowFonts(QWidget *window);
