#pragma once

#include <QString>

class Dialogs;
class MailDocuments;
class SubjectList;
class SubjectsWindow;
struct WorkingState;

// The subject field ComboObjet and its list: loading and saving OBJETS.TXT (the working
// state's subjects file, beside the executable), taking the first subject, adding a typed subject on leaving the field,
// the documents of a picked subject, and "Supprimer". The field itself (picking by mouse or
// keyboard, completing while typing) is the window's SimpleComboBox.
//
// Errors (AppError) go on to the caller's guarded call.
class SubjectCommands
{
public:
    SubjectCommands(SubjectList &list, MailDocuments &documents, SubjectsWindow &window, WorkingState &state,
                    Dialogs &dialogs);

    // FILES.SUBJECT := the subjects file; when it exists, the list is loaded from it and the
    // (still empty) subject's documents are loaded. A file that exists but cannot be read is
    // reported by the error and is then never written by SaveSubjects in this run, so the
    // user's subjects are not replaced by an empty list.
    void LoadSubjects();
    // Writes the whole list to the subjects file, also when it is empty; the field's text is
    // not written unless it is listed.
    void SaveSubjects();
    // When the list is not empty: the first entry into the field, selected without a pick,
    // and its documents loaded.
    void SelectFirstSubject();

    // The focus has left the subject field for another control of the window.
    void ComboObjetExit();
    // The pick event: the documents on screen are saved under the previous subject, then the
    // documents of the subject now in the field are loaded.
    void ComboObjetClick();
    // "Supprimer" in Popup_SUBJECTS: removes the selected entry, if any; nothing else changes.
    void Supprimer1Click();

    // True when the subjects file existed but could not be read at start.
    bool subjectsFileUnreadable() const { return m_subjectsFileUnreadable; }

private:
    SubjectList &m_list;
    MailDocuments &m_documents;
    SubjectsWindow &m_window;
    WorkingState &m_state;
    Dialogs &m_dialogs;
    bool m_subjectsFileUnreadable = false;
};
