#pragma once

#include "helpers/AppError.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

class Dialogs;
class RecipientList;
class RecipientsWindow;
struct WorkingState;

// The commands of the recipient list, one call each, on the list model and the list file
// (FILES.LISTE_EMAILS of the working state). Errors (a file that cannot be read or written)
// are thrown as AppError: run each command through RunGuarded.
class RecipientCommands
{
public:
    RecipientCommands(RecipientList &list, WorkingState &state, RecipientsWindow &window, Dialogs &dialogs,
                      QLocale collationLocale = QLocale());

    // The recipient choice (JvCheckListBox1Click): the selected line's first address, or the
    // non-conforming marker, becomes the current recipient and is shown on the send button.
    // Nothing changes when no line is selected.
    void ChooseRecipient();

    // Loads path into the list: marks cleared, no line selected.
    void Load(const QString &path);
    // The first step of window show: loads FILES.LISTE_EMAILS when it names an existing file.
    void LoadAtShow();
    // Files dropped on the list: loads the first when its extension is ".TXT" in any case, and
    // writes its path into the configuration file.
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
    WorkingState &m_state;
    RecipientsWindow &m_window;
    Dialogs &m_dialogs;
    QLocale m_collationLocale;
    // The error of the last failed load of FILES.LISTE_EMAILS: the list on screen is then not
    // that file's content, so saving it there would overwrite the file with other lines.
    std::optional<AppError> m_unreadListFile;
};

// True when the extension of path (from the last "." after the last "/", "\" or ":") is
// ".TXT", ASCII letters compared without case.
bool HasTxtExtension(const QString &path);
