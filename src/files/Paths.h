#pragma once

#include <QString>

// name with its extension replaced: cut at the last "." when that is the last of ".", "\"
// and ":" and not the first character, then append extension. "/" plays no part: the rule is
// applied to subject texts as well as to file names.
QString ReplaceExtension(const QString &name, const QString &extension);
// The part of a path after its last "/", "\" or ":"; the whole path when it holds none.
// "\" and ":" count so that a path written on the original platform still shows its name.
QString FileNamePart(const QString &path);
// The executable's folder, with its trailing "/".
QString AppDir();
// The executable's file name without its extension.
QString ExeBaseName();
// AppDir() + the executable's file name with the extension ".INI".
QString DefaultIniPath();
// The same three for a given executable path (the running program's path is used above:
// QCoreApplication::applicationFilePath() when an application object exists).
QString AppDir(const QString &exePath);
QString ExeBaseName(const QString &exePath);
QString DefaultIniPath(const QString &exePath);
// The running program's full path.
QString ExecutablePath();
// True when path names a regular file, or a link to one (not a folder, FIFO, device, socket,
// nor an empty or malformed path).
bool FileExists(const QString &path);
