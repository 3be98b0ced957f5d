// The window's handlers for the subject field, the message and signature documents, the
// signature templates and the configuration: each hands over to its core command.
#include "TForm1.h"

#include "BusyCursor.h"
#include "TForm1Core.h"
#include "helpers/Dialogs.h"

#include <QDir>

using namespace Qt::StringLiterals;

void TForm1::INI_GETExecute()
{
    m_core->config.INI_GET();
}

void TForm1::INI_SAVEExecute()
{
    m_core->config.INI_SAVE();
}

void TForm1::ComboObjetClick()
{
    m_core->subjectCommands.ComboObjetClick();
}

void TForm1::ComboObjetExit()
{
    m_core->subjectCommands.ComboObjetExit();
}

void TForm1::CHARGE_MAILExecute()
{
    m_core->documents.CHARGE_MAIL();
}

void TForm1::SAUVE_MAILExecute()
{
    m_core->documents.SAUVE_MAIL();
}

void TForm1::MSG_SAVEExecute()
{
    m_core->documents.MSG_SAVE();
}

void TForm1::SIGN_SAVEExecute()
{
    m_core->documents.SIGN_SAVE();
}

void TForm1::Memo_MSGKeyPress(QChar &key)
{
    m_core->documents.Memo_MSGKeyPress(key);
}

void TForm1::Memo_SIGNKeyPress(QChar &key)
{
    m_core->documents.Memo_SIGNKeyPress(key);
}

void TForm1::panel_msgButtonClick(CaptionPanel::ButtonKind kind)
{
    if (kind == CaptionPanel::ButtonKind::Restore)
        m_core->documents.panel_msgButtonClick();
}

void TForm1::panel_SIGNButtonClick(CaptionPanel::ButtonKind kind)
{
    if (kind == CaptionPanel::ButtonKind::Restore)
        m_core->documents.panel_SIGNButtonClick();
}

void TForm1::FileList_SIGNChange()
{
    m_core->documents.FileList_SIGNChange(m_core->templates);
}

void TForm1::dropMessageDrop(const QStringList &paths, const QPoint &)
{
    const BusyCursor busy;
    m_core->documents.dropMessageDrop(paths);
}

void TForm1::drop_SIGNDrop(const QStringList &paths, const QPoint &)
{
    const BusyCursor busy;
    m_core->documents.drop_SIGNDrop(paths);
}

// A file to load into a field, chosen in the folder of the documents.
static std::optional<QString> ChooseDocument(Dialogs &dialogs, const QString &filter)
{
    return dialogs.ChooseFileToOpen(u"Charger un fichier"_s, QDir::currentPath(), {filter, u"Tous les fichiers (*)"_s});
}

void TForm1::dropMessageChoose()
{
    if (const std::optional<QString> path = ChooseDocument(m_dialogs, u"Messages (*.MSGX *.msgx)"_s))
        call("dropMessageDrop", [&] { dropMessageDrop({*path}, QPoint()); });
}

void TForm1::drop_SIGNChoose()
{
    if (const std::optional<QString> path = ChooseDocument(m_dialogs, u"Signatures (*.SIGNX *.signx)"_s))
        call("drop_SIGNDrop", [&] { drop_SIGNDrop({*path}, QPoint()); });
}

void TForm1::Supprimer1Click()
{
    m_core->subjectCommands.Supprimer1Click();
}

void TForm1::Raffraichir2Click()
{
    m_core->templates.Read();
}
