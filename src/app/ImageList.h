#pragma once

#include <QIcon>

// The window's eight 16 × 16 images, by index: 0 save, 1 quit, 2 delete, 3 send, 4 search,
// 5 unused, 6 correct, 7 load; an index outside them gives no image. Pictures from the Tango icon theme (public
// domain), copied into the program's resources when it is built.
QIcon ImageList1(int index);
inline constexpr int ImageList1Count = 8;

// The program's own icon.
QIcon ProgramIcon();
