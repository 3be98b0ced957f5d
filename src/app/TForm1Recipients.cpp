// The recipient list's handlers: its popup commands, the drop on it, the searches and the
// choice of the current recipient.
#include "TForm1.h"

#include "BusyCursor.h"
#include "TForm1Core.h"
#include "helpers/Dialogs.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

void TForm1::JvCheckListBox1Click()
{
    m_core->recipientCommands.ChooseRecipient();
}

void TForm1::JvDragDrop1Drop(const QStringList &paths, const QPoint &)
{
    const BusyCursor busy;
    m_core->recipientCommands.Drop(paths);
    if (!paths.isEmpty() && HasTxtExtension(paths.first()))
        ui->JvCheckListBox1->scrollToTop(); // a list read anew shows its first line at the top
}

void TForm1::Ouvrir1Click()
{
    const QString list = m_core->state.FILES.LISTE_EMAILS;
    const QString folder = list.isEmpty() ? QDir::currentPath() : QFileInfo(list).absolutePath();
    const std::optional<QString> path = m_dialogs.ChooseFileToOpen(
        u"Ouvrir une liste d'EMAILS"_s, folder, {u"Listes d'EMAILS (*.txt *.TXT)"_s, u"Tous les fichiers (*)"_s});
    if (path)
        call("JvDragDrop1Drop", [&] { JvDragDrop1Drop({*path}, QPoint()); });
}

void TForm1::Raffraichir1Click()
{
    m_core->recipientCommands.Refresh();
    ui->JvCheckListBox1->viewport()->repaint();
}

void TForm1::MenuItem1Click()
{
    const BusyCursor busy(BusyCursor::AfterTheQuestion);
    m_core->recipientCommands.Delete();
    ui->JvCheckListBox1->viewport()->update();
}

void TForm1::mnu_EMAILS_editClick()
{
    const BusyCursor busy(BusyCursor::AfterTheQuestion);
    m_core->recipientCommands.Correct();
}

void TForm1::rier1Click()
{
    const BusyCursor busy;
    m_core->recipientCommands.Sort();
}

void TForm1::Majuscules1Click()
{
    const BusyCursor busy;
    m_core->recipientCommands.Upper();
}

void TForm1::Minuscules1Click()
{
    const BusyCursor busy;
    m_core->recipientCommands.Lower();
}

void TForm1::Supprimerlesetles1Click()
{
    const BusyCursor busy;
    m_core->recipientCommands.StripBrackets();
}

void TForm1::Enregistrerlesmodifications1Click()
{
    const BusyCursor busy;
    m_core->recipientCommands.Save();
}

void TForm1::Edit1Change()
{
    ::Edit1Change(m_core->recipients, ui->Edit1->text());
}

void TForm1::btn_NEXTClick()
{
    NextClick(m_core->recipients, ui->Edit1->text());
}

void TForm1::Rechercher1Click()
{
    FindByPrefix(m_core->recipients, m_dialogs);
}

void TForm1::JvCheckListBox1TypeAhead(QChar key)
{
    m_core->typeAhead.typed(m_core->recipients, key); // a line typed to is the user's choice
}
