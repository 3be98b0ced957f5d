#pragma once

#include <QList>

class QPushButton;

// Makes the buttons of a box equally wide: the widest caption (access-key markers left out)
// plus 8 pixels, never narrower than the standard push button of the style beneath the
// window's style sheet for that caption.
void GiveEqualWidths(const QList<QPushButton *> &buttons);
