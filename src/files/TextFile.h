#pragma once

#include "files/TextHolders.h"

#include <QString>

// The four text-file operations: the only way the program reads or writes a text file.
// Each opens and closes the file within the call and throws AppError with the French
// message on failure ("Impossible d'ouvrir le fichier "%s". %s",
// "Impossible de créer le fichier "%s". %s", "Erreur d'écriture dans le flux"), leaving the
// holder (on a failed load) or the file (on a failed save) as it was.
void LoadLineList(LineListHolder &holder, const QString &path);
// A save whose Windows-1252 text holds a character that Windows-1252 cannot represent writes
// UTF-8 with its mark instead, and the holder then remembers Utf8.
void SaveLineList(LineListHolder &holder, const QString &path);
void LoadTextDocument(TextHolder &holder, const QString &path);
void SaveTextDocument(TextHolder &holder, const QString &path);

// The whole text of a line list in memory: every line followed by CR LF.
QString LineListText(const LineListHolder &holder);
// Replaces every line from a whole text, split at CR LF, CR or LF (the final break gives no
// extra line; the text ends at its first U+0000). The remembered encoding is not touched.
void ReplaceLineListText(LineListHolder &holder, const QString &text);
