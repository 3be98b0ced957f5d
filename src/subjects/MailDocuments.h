#pragma once

#include <QChar>
#include <QStringList>

class Dialogs;
class SignatureTemplates;
class SubjectsWindow;
class TextHolder;
struct WorkingState;

// The current subject's two documents, the message (Memo_MSG) and the signature (Memo_SIGN):
// the subject's name with ".MSGX" and ".SIGNX", relative to the working directory, named
// exactly as the subject is written (letter case included; "\" is an ordinary character).
// Loading, creating and saving them, and the handlers of their fields.
//
// Errors (AppError) go on to the caller's guarded call; a command ends at the step that failed.
class MailDocuments
{
public:
    MailDocuments(TextHolder &message, TextHolder &signature, SubjectsWindow &window, WorkingState &state,
                  Dialogs &dialogs);

    // Loads the documents of the subject in the subject field into the two fields; a missing
    // document is created empty at once. Then the message field gets the focus. An empty
    // subject changes nothing.
    void CHARGE_MAIL();
    // Saves each field to its document when that document's path is known.
    void SAUVE_MAIL();
    // Save one field to its document, path known or not.
    void MSG_SAVE();
    void SIGN_SAVE();

    // A character typed in a field. Tab is swallowed (key becomes null) before the save, so a
    // failed save still inserts nothing; after a save the user is told and the focus moves on.
    void Memo_MSGKeyPress(QChar &key);
    void Memo_SIGNKeyPress(QChar &key);

    // The restore buttons of panel_msg and panel_SIGN.
    void panel_msgButtonClick();
    void panel_SIGNButtonClick();

    // Files dropped on a field: the first one is loaded into it, whatever its kind; nothing
    // is saved.
    void dropMessageDrop(const QStringList &paths);
    void drop_SIGNDrop(const QStringList &paths);

    // A template chosen in FileList_SIGN replaces the signature field (nothing saved) when a
    // file is there.
    void FileList_SIGNChange(const SignatureTemplates &templates);

private:
    void LoadOrCreate(TextHolder &holder, const QString &path);

    TextHolder &m_message;
    TextHolder &m_signature;
    SubjectsWindow &m_window;
    WorkingState &m_state;
    Dialogs &m_dialogs;
};
