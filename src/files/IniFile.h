#pragma once

#include <QString>
#include <QStringList>

// One value of the configuration file at path per call; the file is opened and released
// within the call. Section and key lookups ignore letter case.
QString IniReadString(const QString &section, const QString &key, const QString &defaultValue, const QString &path);
// Throws AppError("Impossible d'écrire dans %s") when the file cannot be written.
void IniWriteString(const QString &section, const QString &key, const QString &value, const QString &path);
// The same two on the file's decoded text in memory (IniCodec.h turns bytes into that text).
// IniTextValue gives false for a missing section or key. IniTextSetValue's section, key and
// value hold no line break.
// The decoded text of the configuration file at path; empty when it is missing or unreadable.
QString IniReadText(const QString &path);
bool IniTextValue(const QString &text, const QString &section, const QString &key, QString &value);
void IniTextSetValue(QString &text, const QString &section, const QString &key, const QString &value);
int IniReadInteger(const QString &section, const QString &key, int defaultValue, const QString &path);
void IniWriteInteger(const QString &section, const QString &key, int value, const QString &path);

// The integer rule of the configuration file (spaces, sign, "$", "x", "0x" prefixes, 32 bits).
// Returns false for an invalid text.
bool TryParseIniInteger(const QString &text, int &value);
// Same, throwing AppError("''%s'' n'est pas une valeur entière valide").
int ParseIniInteger(const QString &text);

QStringList SplitString(const QString &text, const QString &delimiter);
