#pragma once

// Makes the window's own widgets readable by screen readers: the caption panels report a
// panel named by their caption, with their bar's buttons as push buttons; the simple combo
// box a combo box (always expanded) holding its edit and its list; the lists one item per
// line with its states (selected, focused, checked) and actions (Press chooses the line as a
// click does, Toggle flips a box as a click on it does); the panes' edges a separator; the
// plain panels are walked through unannounced.
// Installs the interfaces once; call it before the first widget is made.
void InstallAccessibleWidgets();
