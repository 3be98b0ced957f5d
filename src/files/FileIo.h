#pragma once

#include "helpers/AppError.h"

#include <QByteArray>
#include <QString>

// Whole-file reads and atomic writes, with the system's own error descriptions.

// The system's description of an error number in the user's language, without its trailing
// spaces, control characters and full stops.
QString SystemErrorText(int error);
// The path made absolute against the working directory, as error messages show it; empty
// when path is empty.
QString FullPathForMessage(const QString &path);

struct FileReadResult
{
    QByteArray bytes;
    int error = 0; // errno; 0 when the bytes were read
};
// Reads the whole of a regular file (or of the file a link points to). A folder, FIFO,
// device or socket is refused at once: reading one would block or never end.
FileReadResult ReadWholeFile(const QString &path);

struct FileWriteResult
{
    enum Failure { None, Create, Write };
    Failure failure = None;
    int error = 0; // errno of the failure
};
// Replaces the file's content with bytes through a temporary file beside it and a rename,
// keeping its permissions and writing through a symbolic link to its target. A read-only
// file is refused. On any failure the old file is left exactly as it was.
FileWriteResult WriteFileAtomically(const QString &path, const QByteArray &bytes);

// The open error of a file that could not be read (errno error), as the text files report it.
AppError CannotOpenError(const QString &path, int error);

// The same two with the text files' error messages:
// "Impossible d'ouvrir le fichier "%s". %s", "Impossible de créer le fichier "%s". %s" and
// "Erreur d'écriture dans le flux".
QByteArray ReadWholeFileOrThrow(const QString &path);
void WriteFileAtomicallyOrThrow(const QString &path, const QByteArray &bytes);
