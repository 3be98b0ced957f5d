// The window's handlers for the subject field, the message and signature documents, the
// signature templates and the configuration: each hands over to its core command.
#include "TForm1.h"

#include "ui_Form1.h"

#include "SubjectsWiring.h"
#include "files/ConfigCommands.h"
#include "subjects/SignatureTemplates.h"
#include "subjects/SubjectList.h"

void TForm1::wireSubjects()
{
    m_subjectsWiring = std::make_unique<SubjectsWiring>(
        *this, SubjectsWiring::Controls{ui->ComboObjet, ui->Memo_MSG, ui->Memo_SIGN, ui->btn_SEND}, m_dialogs);
    ui->ComboObjet->setSubjectList(&m_subjectsWiring->subjectList());
    ui->FileList_SIGN->setTemplates(&m_subjectsWiring->templates());
    // The template list is read when it first appears, before the window is on screen.
    connect(ui->FileList_SIGN, &FileNameList::firstShown, this,
            [this] { dispatch("FileList_SIGN", [this] { m_subjectsWiring->templates().Read(); }); });
}

// ---------------------------------------------------------------- configuration

void TForm1::INI_GETExecute()
{
    INI_GET(*m_subjectsWiring, m_subjectsWiring->commands(), m_dialogs);
}

void TForm1::INI_SAVEExecute()
{
    INI_SAVE(*m_subjectsWiring, m_subjectsWiring->commands());
}

// ---------------------------------------------------------------- subjects and documents

void TForm1::ComboObjetClick()
{
    m_subjectsWiring->commands().ComboObjetClick();
}

void TForm1::ComboObjetExit()
{
    m_subjectsWiring->commands().ComboObjetExit();
}

void TForm1::CHARGE_MAILExecute()
{
    m_subjectsWiring->documents().CHARGE_MAIL();
}

void TForm1::SAUVE_MAILExecute()
{
    m_subjectsWiring->documents().SAUVE_MAIL();
}

void TForm1::MSG_SAVEExecute()
{
    m_subjectsWiring->documents().MSG_SAVE();
}

void TForm1::SIGN_SAVEExecute()
{
    m_subjectsWiring->documents().SIGN_SAVE();
}

void TForm1::Memo_MSGKeyPress(QChar &key)
{
    m_subjectsWiring->documents().Memo_MSGKeyPress(key);
}

void TForm1::Memo_SIGNKeyPress(QChar &key)
{
    m_subjectsWiring->documents().Memo_SIGNKeyPress(key);
}

void TForm1::panel_msgButtonClick(CaptionPanel::ButtonKind kind)
{
    if (kind == CaptionPanel::ButtonKind::Restore)
        m_subjectsWiring->documents().panel_msgButtonClick();
}

void TForm1::panel_SIGNButtonClick(CaptionPanel::ButtonKind kind)
{
    if (kind == CaptionPanel::ButtonKind::Restore)
        m_subjectsWiring->documents().panel_SIGNButtonClick();
}

void TForm1::FileList_SIGNChange()
{
    m_subjectsWiring->documents().FileList_SIGNChange(m_subjectsWiring->templates());
}

void TForm1::dropMessageDrop(const QStringList &paths, const QPoint &)
{
    m_subjectsWiring->documents().dropMessageDrop(paths);
}

void TForm1::drop_SIGNDrop(const QStringList &paths, const QPoint &)
{
    m_subjectsWiring->documents().drop_SIGNDrop(paths);
}

void TForm1::Supprimer1Click()
{
    m_subjectsWiring->commands().Supprimer1Click();
}

void TForm1::Raffraichir2Click()
{
    m_subjectsWiring->templates().Read();
}
