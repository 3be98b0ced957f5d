#pragma once

#include <QString>
#include <QStringList>

// One value of the configuration file per call; the file is opened and released within the
// call. An empty path means DefaultIniPath(). Section and key lookups ignore letter case.
QString IniReadString(const QString &section, const QString &key, const QString &defaultValue,
                      const QString &path = QString());
// Throws AppError("Impossible d'écrire dans %s") when the file cannot be written.
void IniWriteString(const QString &section, const QString &key, const QString &value, const QString &path = QString());
int IniReadInteger(const QString &section, const QString &key, int defaultValue, const QString &path = QString());
void IniWriteInteger(const QString &section, const QString &key, int value, const QString &path = QString());

// The integer rule of the configuration file (spaces, sign, "$", "x", "0x" prefixes, 32 bits).
// Returns false for an invalid text.
bool TryParseIniInteger(const QString &text, int &value);
// Same, throwing AppError("''%s'' n'est pas une valeur entière valide").
int ParseIniInteger(const QString &text);

QStringList SplitString(const QString &text, const QString &delimiter);
