#pragma once

#include "helpers/AppError.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Dialogs;
class RecipientList;

// The commands of the recipient list, one call each, on the list model and FILES.LISTE_EMAILS.
// Errors (a file that cannot be read or written) are thrown as AppError: run each command
// through RunGuarded. The recipient choice (the window's JvCheckListBox1Click) is given as a
// callback; only Correct runs it.
class RecipientCommands
{
public:
    using RecipientChoice = std::function<void()>;

    RecipientCommands(RecipientList &list, Dialogs &dialogs, RecipientChoice chooseRecipient,
                      QLocale collationLocale = QLocale());

    // The configuration file written by a drop; empty for the default one.
    void setIniPath(const QString &path) { m_iniPath = path; }

    // Loads path into the list: marks cleared, no line selected.
    void Load(const QString &path);
    // The first step of window show: loads FILES.LISTE_EMAILS when it names an existing file.
    void LoadAtShow();
    // Files dropped on the list: loads the first when its extension is ".TXT" in any case.
    void Drop(const QStringList &paths);
    void Save();
    void Delete();
    void Correct();
    void Sort();
    void Upper();
    void Lower();
    void StripBrackets();
    // The model does not change; the window repaints the list.
    void Refresh() {}

private:
    void saveToListFile();

    RecipientList &m_list;
    Dialogs &m_dialogs;
    RecipientChoice m_chooseRecipient;
    QLocale m_collationLocale;
    QString m_iniPath;
    // The error of the last failed load of FILES.LISTE_EMAILS: the list on screen is then not
    // that file's content, so saving it there would overwrite the file with other lines.
    std::optional<AppError> m_unreadListFile;
};

// True when the extension of path (from the last "." after the last "/", "\" or ":") is
// ".TXT", ASCII letters compared without case.
bool HasTxtExtension(const QString &path);
