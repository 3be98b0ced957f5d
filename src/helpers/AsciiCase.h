#pragma once

#include <QString>
#include <QStringView>

// Case by the ASCII rule only: "a" to "z" become capitals (or "A" to "Z" small letters);
// every other character, accented letters included, stays as it is.
QString AsciiUpper(QStringView text);
QString AsciiLower(QStringView text);
