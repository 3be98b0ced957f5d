#pragma once

#include <memory>

class Dialogs;
class HandlerProbe;
class MailHandoff;
class TForm1;

// The program's start, once the application object exists and its title is fixed: the
// window style, then the main window, created (its create hook runs) and shown (its show
// hook runs first). The caller runs the event loop.
std::unique_ptr<TForm1> StartUp(Dialogs &dialogs, MailHandoff &mail, HandlerProbe *probe = nullptr);
