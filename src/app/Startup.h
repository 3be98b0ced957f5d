#pragma once

#include <memory>

struct FormServices;
class TForm1;
struct WorkingState;

// The program's start, once the application object exists and its title is fixed: the
// window style, then the main window over the working state, created (its create hook runs)
// and shown (its show hook runs first). The caller runs the event loop.
std::unique_ptr<TForm1> StartUp(WorkingState state, const FormServices &services);
