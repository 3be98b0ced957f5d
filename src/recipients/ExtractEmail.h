#pragma once

#include <QString>

// The first e-mail address in a recipient line, or the empty text when there is none.
// Only ASCII letters, digits and "_" count as word characters: an accented letter ends
// or breaks an address. The domain keeps one dot and an ending of at most 5 characters.
QString ExtractEmail(const QString &line);
