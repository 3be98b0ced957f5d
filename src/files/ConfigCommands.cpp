#include "files/ConfigCommands.h"

#include "files/Paths.h"
#include "files/WorkingFiles.h"
#include "helpers/AppError.h"
#include "helpers/Dialogs.h"
#include "helpers/FormGeometry.h"
#include "helpers/IniFile.h"
#include "subjects/SubjectCommands.h"

using namespace Qt::StringLiterals;

void INI_GET(ConfigWindow &window, SubjectCommands &subjects, Dialogs &dialogs)
{
    try {
        RestoreFormGeometry(window.geometryWindow());
    } catch (const AppError &error) {
        dialogs.ReportError(error.message());
    }
    window.setSignaturePaneHeight(IniReadInteger(u"HAUTEUR"_s, u"SIGN"_s, window.signaturePaneHeight()));
    FILES.LISTE_EMAILS = IniReadString(u"FICHIER"_s, u"EMAILS"_s, FILES.LISTE_EMAILS);
    const QString listName = FileNamePart(FILES.LISTE_EMAILS);
    if (!listName.isEmpty())
        window.setRecipientCaption(listName);
    subjects.LoadSubjects();
}

void INI_SAVE(ConfigWindow &window, SubjectCommands &subjects)
{
    SaveFormGeometry(window.geometryWindow());
    IniWriteInteger(u"HAUTEUR"_s, u"SIGN"_s, window.signaturePaneHeight());
    IniWriteString(u"FICHIER"_s, u"EMAILS"_s, FILES.LISTE_EMAILS);
    subjects.SaveSubjects();
}
