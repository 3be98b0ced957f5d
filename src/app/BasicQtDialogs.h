#pragma once

#include "helpers/Dialogs.h"

// Plain Qt message and input boxes with the boxes' French titles and captions.
class BasicQtDialogs : public Dialogs
{
public:
    MsgResult ShowMessageBox(const QString &text, MsgKind kind, const QList<MsgButton> &buttons,
                             std::optional<MsgButton> defaultButton) override;
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;
    void ReportError(const QString &message) override;
};
