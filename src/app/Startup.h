#pragma once

#include <memory>

struct FormServices;
class TForm1;
struct WorkingState;

// What the program sets once, right after the application object is made and before any
// window exists: the application title (from the running executable's name), Qt's own
// texts in French (context menus, standard buttons) whatever the user's locale, and the
// window's typeface. Later calls do nothing.
void PrepareApplication();

// The program's start, once the application is prepared: the window style, then the main
// window over the working state, created (its create hook runs) and shown (its show hook
// runs first). The caller runs the event loop.
std::unique_ptr<TForm1> StartUp(WorkingState state, const FormServices &services);
