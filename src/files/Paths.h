#pragma once

#include <QString>

// name with its extension replaced: cut at the last "." when that is the last of ".", "\"
// and ":" and not the first character, then append extension.
QString ReplaceExtension(const QString &name, const QString &extension);
// The part of a path after its last "/", "\" or ":"; the whole path when it holds none.
QString FileNamePart(const QString &path);
// The executable's folder, with its trailing "/".
QString AppDir();
// The executable's file name without its extension.
QString ExeBaseName();
// AppDir() + the executable's file name with the extension ".INI".
QString DefaultIniPath();
// True when path names a regular file, or a link to one (not a folder, FIFO, device, socket).
bool FileExists(const QString &path);
