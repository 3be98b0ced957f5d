#pragma once

#include "helpers/Dialogs.h"

#include <QList>
#include <QStringList>

// Dialogs for tests: records every box and answers from a script.
class ScriptedDialogs : public Dialogs
{
public:
    struct Box
    {
        QString text;
        MsgKind kind;
        QList<MsgButton> buttons;
    };

    // Answers given in order; when none is left, a box answers with its default button
    // (or Cancel), and an input box answers Cancel.
    QList<MsgResult> boxAnswers;
    struct InputAnswer
    {
        bool ok;
        QString value;
    };
    QList<InputAnswer> inputAnswers;

    QList<Box> boxes;
    QList<QStringList> inputs; // caption, prompt, value shown
    QStringList errors;

    MsgResult ShowMessageBox(const QString &text, MsgKind kind, const QList<MsgButton> &buttons,
                             std::optional<MsgButton> defaultButton) override
    {
        boxes.append({text, kind, buttons});
        if (!boxAnswers.isEmpty())
            return boxAnswers.takeFirst();
        return defaultButton.value_or(MsgButton::Cancel);
    }

    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override
    {
        inputs.append({caption, prompt, value});
        if (inputAnswers.isEmpty())
            return false;
        const InputAnswer answer = inputAnswers.takeFirst();
        if (answer.ok)
            value = answer.value;
        return answer.ok;
    }

    void ReportError(const QString &message) override { errors.append(message); }

    QStringList texts() const
    {
        QStringList result;
        for (const Box &box : boxes)
            result.append(box.text);
        return result;
    }
};
