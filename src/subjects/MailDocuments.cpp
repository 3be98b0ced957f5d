#include "subjects/MailDocuments.h"

#include "files/Paths.h"
#include "files/TextFile.h"
#include "files/WorkingFiles.h"
#include "helpers/Dialogs.h"
#include "subjects/SignatureTemplates.h"
#include "subjects/SubjectsWindow.h"

using namespace Qt::StringLiterals;

namespace {
constexpr QChar Tab = u'\t';
}

MailDocuments::MailDocuments(TextHolder &message, TextHolder &signature, SubjectsWindow &window, WorkingState &state,
                             Dialogs &dialogs)
    : m_message(message),
      m_signature(signature),
      m_window(window),
      m_state(state),
      m_dialogs(dialogs)
{}

void MailDocuments::CHARGE_MAIL()
{
    const QString subject = m_window.subjectText();
    if (subject.isEmpty())
        return;
    m_state.FILES.SUBJECT = subject;
    m_state.FILES.Msg = ReplaceExtension(subject, u".MSGX"_s);
    m_state.FILES.SIGN = ReplaceExtension(subject, u".SIGNX"_s);
    LoadOrCreate(m_message, m_state.FILES.Msg);
    LoadOrCreate(m_signature, m_state.FILES.SIGN);
    m_window.focusMessage();
}

void MailDocuments::LoadOrCreate(TextHolder &holder, const QString &path)
{
    if (FileExists(path)) {
        LoadTextDocument(holder, path);
    } else {
        // The emptied field keeps the encoding of the last document loaded into it.
        holder.setText(QString());
        SaveTextDocument(holder, path);
    }
}

void MailDocuments::SAUVE_MAIL()
{
    if (!m_state.FILES.Msg.isEmpty())
        SaveTextDocument(m_message, m_state.FILES.Msg);
    if (!m_state.FILES.SIGN.isEmpty())
        SaveTextDocument(m_signature, m_state.FILES.SIGN);
}

void MailDocuments::MSG_SAVE()
{
    SaveTextDocument(m_message, m_state.FILES.Msg);
}

void MailDocuments::SIGN_SAVE()
{
    SaveTextDocument(m_signature, m_state.FILES.SIGN);
}

void MailDocuments::Memo_MSGKeyPress(QChar &key)
{
    if (key != Tab)
        return;
    key = QChar();
    MSG_SAVE();
    m_dialogs.ShowPlainMessage(u"Message enregistré !"_s);
    m_window.focusSignature();
}

void MailDocuments::Memo_SIGNKeyPress(QChar &key)
{
    if (key != Tab)
        return;
    key = QChar();
    SIGN_SAVE();
    m_dialogs.ShowPlainMessage(u"Signature enregistrée!"_s);
    m_window.focusSendButton();
}

void MailDocuments::panel_msgButtonClick()
{
    MSG_SAVE();
}

void MailDocuments::panel_SIGNButtonClick()
{
    SIGN_SAVE();
}

void MailDocuments::dropMessageDrop(const QStringList &paths)
{
    if (!paths.isEmpty())
        LoadTextDocument(m_message, paths.first());
}

void MailDocuments::drop_SIGNDrop(const QStringList &paths)
{
    if (!paths.isEmpty())
        LoadTextDocument(m_signature, paths.first());
}

void MailDocuments::FileList_SIGNChange(const SignatureTemplates &templates)
{
    if (templates.rowCount() == 0 || templates.selectedIndex() < 0)
        return;
    const QString path = templates.selectedPath();
    if (FileExists(path))
        LoadTextDocument(m_signature, path);
}
