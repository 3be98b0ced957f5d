// The recipient list's handlers: its popup commands, the drop on it, the searches and the
// choice of the current recipient.
#include "TForm1.h"

#include "ui_Form1.h"

#include "recipients/CurrentRecipient.h"
#include "recipients/RecipientList.h"

RecipientCommands &TForm1::recipientCommands()
{
    if (!m_recipientCommands) {
        // Sorting follows the user's locale; a correction chooses the corrected line.
        m_recipientCommands = std::make_unique<RecipientCommands>(
            *m_recipients, m_dialogs, [this] { call("JvCheckListBox1Click", [this] { JvCheckListBox1Click(); }); },
            QLocale());
    }
    return *m_recipientCommands;
}

void TForm1::setTypeAheadClock(const Clock &clock)
{
    m_typeAhead.emplace(clock);
}

// ---------------------------------------------------------------- choosing a recipient

void TForm1::JvCheckListBox1Click()
{
    const qsizetype row = m_recipients->selectedIndex();
    if (row < 0)
        return;
    const QString recipient = RecipientForLine(m_recipients->lineAt(row));
    ui->panel_emails->setCaption(recipient);
    ui->btn_SEND->setText(SendButtonCaption(recipient));
}

// ---------------------------------------------------------------- the list's commands

void TForm1::JvDragDrop1Drop(const QStringList &paths, const QPoint &)
{
    recipientCommands().Drop(paths);
    if (!paths.isEmpty() && HasTxtExtension(paths.first()))
        ui->JvCheckListBox1->scrollToTop(); // a list read anew shows its first line at the top
}

void TForm1::Raffraichir1Click()
{
    recipientCommands().Refresh();
    ui->JvCheckListBox1->viewport()->repaint();
}

void TForm1::MenuItem1Click()
{
    recipientCommands().Delete();
    ui->JvCheckListBox1->viewport()->update();
}

void TForm1::mnu_EMAILS_editClick()
{
    recipientCommands().Correct();
}

void TForm1::rier1Click()
{
    recipientCommands().Sort();
}

void TForm1::Majuscules1Click()
{
    recipientCommands().Upper();
}

void TForm1::Minuscules1Click()
{
    recipientCommands().Lower();
}

void TForm1::Supprimerlesetles1Click()
{
    recipientCommands().StripBrackets();
}

void TForm1::Enregistrerlesmodifications1Click()
{
    recipientCommands().Save();
}

// ---------------------------------------------------------------- searching

void TForm1::Edit1Change()
{
    ::Edit1Change(*m_recipients, ui->Edit1->text());
}

void TForm1::btn_NEXTClick()
{
    NextClick(*m_recipients, ui->Edit1->text());
}

void TForm1::Rechercher1Click()
{
    FindByPrefix(*m_recipients, m_dialogs);
}

void TForm1::JvCheckListBox1TypeAhead(QChar key)
{
    if (!m_typeAhead)
        m_typeAhead.emplace(m_steadyClock);
    m_typeAhead->typed(*m_recipients, key); // a line typed to is the user's choice
}
