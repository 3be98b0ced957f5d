#pragma once

#include <QString>
#include <QStringList>

class Dialogs;

// The name of the look every window of the program wears.
QString WindowStyleName();

// The style sheet of a carried look, found by name without regard to letter case; empty
// when the program carries none of that name.
QString CarriedStyleSheet(const QString &name);

// Applies the named look to the application. When the program carries none of that name,
// shows the error box "Style '<name>' non trouvé" and keeps the default look. Returns true
// when the look was applied.
bool ApplyWindowStyle(const QString &name, Dialogs &dialogs);
