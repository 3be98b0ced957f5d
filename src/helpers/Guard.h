#pragma once

#include "helpers/Dialogs.h"

#include <functional>

// The one place where errors escaping a command, handler or hook are caught: an AppError
// (or any other exception) is shown with ReportError, a SilentAbort is dropped. Returns true
// when the operation ran to its end. Nothing escapes, so no exception crosses the event loop.
bool RunGuarded(Dialogs &dialogs, const std::function<void()> &operation);
