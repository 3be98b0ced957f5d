#include "subjects/SubjectCommands.h"

#include "files/Paths.h"
#include "files/TextFile.h"
#include "files/WorkingFiles.h"
#include "helpers/AppError.h"
#include "subjects/MailDocuments.h"
#include "subjects/SubjectList.h"
#include "subjects/SubjectRules.h"
#include "subjects/SubjectsWindow.h"

using namespace Qt::StringLiterals;

SubjectCommands::SubjectCommands(SubjectList &list, MailDocuments &documents, SubjectsWindow &window,
                                 WorkingState &state, Dialogs &dialogs)
    : m_list(list),
      m_documents(documents),
      m_window(window),
      m_state(state),
      m_dialogs(dialogs)
{}

void SubjectCommands::LoadSubjects()
{
    m_state.FILES.SUBJECT = m_state.subjectsPath;
    if (!FileExists(m_state.subjectsPath))
        return;
    try {
        LoadLineList(m_list, m_state.subjectsPath);
    } catch (const AppError &) {
        m_subjectsFileUnreadable = true;
        throw;
    }
    m_documents.CHARGE_MAIL();
}

void SubjectCommands::SaveSubjects()
{
    if (m_subjectsFileUnreadable)
        return;
    SaveLineList(m_list, m_state.subjectsPath);
}

void SubjectCommands::SelectFirstSubject()
{
    if (m_list.lineCount() == 0)
        return;
    m_window.setSubjectText(m_list.lineAt(0));
    m_list.setSelectedIndex(0);
    m_documents.CHARGE_MAIL();
}

void SubjectCommands::ComboObjetExit()
{
    AddIfNew(m_list, m_window.subjectText(), true, m_dialogs);
    m_documents.CHARGE_MAIL();
}

void SubjectCommands::ComboObjetClick()
{
    m_documents.SAUVE_MAIL();
    m_documents.CHARGE_MAIL();
}

void SubjectCommands::Supprimer1Click()
{
    if (m_list.lineCount() == 0 || m_list.selectedIndex() < 0)
        return;
    m_list.removeEntry(m_list.selectedIndex());
}
