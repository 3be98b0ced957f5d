// What a screen reader calls each control: the caption of its pane, the label beside it, or a
// short name of what it does. Accessibility data only: nothing drawn changes.
#include "TForm1.h"

#include "ui_Form1.h"

#include "TForm1Core.h"
#include "files/Paths.h"
#include "recipients/CurrentRecipient.h"

#include <QLineEdit>
#include <QListView>

using namespace Qt::StringLiterals;

void TForm1::nameControls()
{
    // The panes are named by their captions (CaptionPanel); the fields inside by the same.
    ui->ComboObjet->setAccessibleName(ui->panel_objet->caption());
    ui->ComboObjet->lineEdit()->setAccessibleName(ui->panel_objet->caption());
    ui->ComboObjet->listView()->setAccessibleName(u"Liste des objets"_s);
    ui->Memo_MSG->setAccessibleName(ui->panel_msg->caption());
    ui->Memo_SIGN->setAccessibleName(ui->panel_SIGN->caption());
    ui->FileList_SIGN->setAccessibleName(u"Modèles de signature"_s);
    ui->Label1->setBuddy(ui->Edit1); // "Chercher" names the search field
    ui->panel_msg->setButtonName(CaptionPanel::ButtonKind::Restore, u"Enregistrer le message"_s);
    ui->panel_SIGN->setButtonName(CaptionPanel::ButtonKind::Restore, u"Enregistrer la signature"_s);
    // The edges the mouse drags (the first handle of a splitter is never shown).
    ui->splitter_columns->handle(1)->setAccessibleName(u"Largeur de la colonne des destinataires"_s);
    ui->splitter_documents->handle(1)->setAccessibleName(u"Hauteur des signatures"_s);
    nameRecipientList();
    connect(&m_core->recipients, &QAbstractItemModel::modelReset, this, &TForm1::nameRecipientList);
}

// The recipient list is named after its file, as its pane's caption reads before a line is
// chosen; with no file yet, by that first caption.
void TForm1::nameRecipientList()
{
    const QString file = FileNamePart(m_core->state.FILES.LISTE_EMAILS);
    ui->JvCheckListBox1->setAccessibleName(file.isEmpty() ? InitialRecipientCaption() : file);
}
