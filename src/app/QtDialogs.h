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
    // Qt's file chooser: the desktop's own where Qt has one, Qt's widget chooser otherwise.
    std::optional<QString> ChooseFileToOpen(const QString &caption, const QString &folder,
                                            const QStringList &filters) override;
};
