#pragma once

#include "helpers/Dialogs.h"

// The modal boxes of the program on screen, over the active window.
class QtDialogs : public Dialogs
{
public:
    MsgResult ShowMessageBox(const QString &text, MsgKind kind, const QList<MsgButton> &buttons,
                             std::optional<MsgButton> defaultButton) override;
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;
    // The desktop's standard message box: application title, error icon, one OK button.
    void ReportError(const QString &message) override;
};
