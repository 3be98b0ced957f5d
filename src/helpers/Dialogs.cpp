#include "helpers/Dialogs.h"

bool Dialogs::ShowNotice(const QString &text, MsgKind kind)
{
    ShowMessageBox(text, kind, {MsgButton::OK}, MsgButton::OK);
    return true;
}

bool Dialogs::AskConfirm(const QString &text, MsgKind kind)
{
    return ShowMessageBox(text, kind, {MsgButton::OK, MsgButton::Cancel}, MsgButton::OK) == MsgButton::OK;
}

void Dialogs::ShowPlainMessage(const QString &text)
{
    ShowMessageBox(text, MsgKind::Plain, {MsgButton::OK}, MsgButton::OK);
}
