#include "config/ConfigCommands.h"

#include "config/FormGeometry.h"
#include "files/IniFile.h"
#include "files/Paths.h"
#include "files/WorkingFiles.h"
#include "helpers/AppError.h"
#include "helpers/Dialogs.h"
#include "recipients/RecipientsWindow.h"
#include "subjects/SubjectCommands.h"

using namespace Qt::StringLiterals;

ConfigCommands::ConfigCommands(WorkingState &state, ConfigWindow &window, RecipientsWindow &recipients,
                               SubjectCommands &subjects, Dialogs &dialogs)
    : m_state(state),
      m_window(window),
      m_recipients(recipients),
      m_subjects(subjects),
      m_dialogs(dialogs)
{}

void ConfigCommands::INI_GET()
{
    try {
        RestoreFormGeometry(m_window.geometryWindow(), m_state.geometrySection, m_state.iniPath);
    } catch (const AppError &error) {
        m_dialogs.ReportError(error.message());
    }
    m_window.setSignaturePaneHeight(
        IniReadInteger(u"HAUTEUR"_s, u"SIGN"_s, m_window.signaturePaneHeight(), m_state.iniPath));
    TFILES &files = m_state.FILES;
    files.LISTE_EMAILS = IniReadString(u"FICHIER"_s, u"EMAILS"_s, files.LISTE_EMAILS, m_state.iniPath);
    const QString listName = FileNamePart(files.LISTE_EMAILS);
    if (!listName.isEmpty())
        m_recipients.setCurrentRecipient(listName);
    m_subjects.LoadSubjects();
}

void ConfigCommands::INI_SAVE()
{
    SaveFormGeometry(m_window.geometryWindow(), m_state.geometrySection, m_state.iniPath);
    IniWriteInteger(u"HAUTEUR"_s, u"SIGN"_s, m_window.signaturePaneHeight(), m_state.iniPath);
    IniWriteString(u"FICHIER"_s, u"EMAILS"_s, m_state.FILES.LISTE_EMAILS, m_state.iniPath);
    m_subjects.SaveSubjects();
}
