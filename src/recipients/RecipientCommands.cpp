#include "recipients/RecipientCommands.h"

#include "files/IniFile.h"
#include "files/Paths.h"
#include "files/TextFile.h"
#include "files/WorkingFiles.h"
#include "helpers/AsciiCase.h"
#include "helpers/Dialogs.h"
#include "recipients/CurrentRecipient.h"
#include "recipients/RecipientList.h"
#include "recipients/RecipientSort.h"
#include "recipients/RecipientsWindow.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

bool HasTxtExtension(const QString &path)
{
    const QString name = FileNamePart(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && AsciiUpper(QStringView(name).sliced(dot)) == u".TXT";
}

RecipientCommands::RecipientCommands(RecipientList &list, WorkingState &state, RecipientsWindow &window,
                                     Dialogs &dialogs, QLocale collationLocale)
    : m_list(list),
      m_state(state),
      m_window(window),
      m_dialogs(dialogs),
      m_collationLocale(std::move(collationLocale))
{}

void RecipientCommands::ChooseRecipient()
{
    const qsizetype row = m_list.selectedIndex();
    if (row < 0)
        return;
    const QString recipient = RecipientForLine(m_list.lineAt(row));
    m_window.setCurrentRecipient(recipient);
    m_window.setSendButtonCaption(SendButtonCaption(recipient));
}

void RecipientCommands::Load(const QString &path)
{
    const bool listFile = path == m_state.FILES.LISTE_EMAILS;
    try {
        LoadLineList(m_list, path);
    } catch (const AppError &error) {
        if (listFile)
            m_unreadListFile = error;
        throw;
    }
    if (listFile)
        m_unreadListFile.reset();
}

void RecipientCommands::LoadAtShow()
{
    if (FileExists(m_state.FILES.LISTE_EMAILS))
        Load(m_state.FILES.LISTE_EMAILS);
}

void RecipientCommands::Drop(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const QString path = paths.first();
    if (!HasTxtExtension(path)) {
        m_dialogs.ShowNotice(u"Extension TXT uniquement"_s, MsgKind::Warning);
        return;
    }
    // The configuration file keeps one value per line: a path holding a line break could not
    // be stored, and every later close, which stores it again, would fail. Refused before
    // anything changes, so the former list, its path and the window's closing stay as they were.
    if (path.contains(u'\r') || path.contains(u'\n')) {
        m_dialogs.ShowNotice(u"Le chemin de ce fichier ne peut pas être enregistré dans la configuration : "
                             u"renommez le fichier ou son dossier."_s,
                             MsgKind::Warning);
        return;
    }
    // m_state.FILES.LISTE_EMAILS follows only a successful load: after a failed one the former lines
    // stay on screen and must go on being saved to the file they came from.
    LoadLineList(m_list, path);
    m_state.FILES.LISTE_EMAILS = path;
    m_unreadListFile.reset();
    IniWriteString(u"FICHIER"_s, u"EMAILS"_s, path, m_state.iniPath);
}

void RecipientCommands::saveToListFile()
{
    if (m_unreadListFile)
        throw *m_unreadListFile;
    SaveLineList(m_list, m_state.FILES.LISTE_EMAILS);
}

void RecipientCommands::Save()
{
    saveToListFile();
}

void RecipientCommands::Delete()
{
    if (!m_dialogs.AskConfirm(u"Supprimer la ou les lignes pointées ?"_s, MsgKind::Confirmation))
        return;
    const qsizetype selected = m_list.selectedIndex();
    if (selected >= 0) {
        m_list.removeLine(selected);
        if (m_list.lineCount() > 0)
            m_list.selectIndex(selected > 0 ? selected - 1 : 0);
    }
    m_list.removeMarkedLines();
}

void RecipientCommands::Correct()
{
    const qsizetype selected = m_list.selectedIndex();
    if (selected < 0)
        return;
    QString value = m_list.lineAt(selected);
    if (!m_dialogs.InputQuery(u"Corriger"_s, u"EMAIL"_s, value))
        return;
    m_list.setLineText(selected, value);
    saveToListFile();
    ChooseRecipient();
}

void RecipientCommands::Sort()
{
    SortRecipientLines(m_list, m_collationLocale);
}

namespace {

// The whole-text rewrite: line by line when that gives the same lines (no line holds a
// break or a U+0000), else through the whole text split again.
void RewriteWholeText(RecipientList &list, RecipientList::Rewrite rewrite,
                      const std::function<QString(QString)> &onText)
{
    if (list.rewritesLineByLine())
        list.rewriteLines(rewrite);
    else
        ReplaceLineListText(list, onText(LineListText(list)));
}

} // namespace

void RecipientCommands::Upper()
{
    RewriteWholeText(m_list, RecipientList::Rewrite::AsciiUpper, [](const QString &t) { return AsciiUpper(t); });
}

void RecipientCommands::Lower()
{
    RewriteWholeText(m_list, RecipientList::Rewrite::AsciiLower, [](const QString &t) { return AsciiLower(t); });
}

void RecipientCommands::StripBrackets()
{
    RewriteWholeText(m_list, RecipientList::Rewrite::RemoveAngleBrackets, [](QString t) {
        static const QRegularExpression brackets(u"[<>]"_s);
        return t.remove(brackets);
    });
}
