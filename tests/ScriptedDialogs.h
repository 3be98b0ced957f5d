#pragma once

#include "helpers/Dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

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

    // Runs as each box, input box or error report opens (a test looks at the window then).
    std::function<void()> onEveryBox;

    // Files chosen in the file chooser, in order; when none is left, the chooser is cancelled.
    QList<std::optional<QString>> fileAnswers;
    struct Chooser
    {
        QString caption;
        QString folder;
        QStringList filters;
    };
    QList<Chooser> choosers;

    QList<Box> boxes;
    QList<QStringList> inputs; // caption, prompt, value shown
    QStringList errors;

    MsgResult ShowMessageBox(const QString &text, MsgKind kind, const QList<MsgButton> &buttons,
                             std::optional<MsgButton> defaultButton) override
    {
        if (onEveryBox)
            onEveryBox();
        boxes.append({text, kind, buttons});
        if (!boxAnswers.isEmpty())
            return boxAnswers.takeFirst();
        return defaultButton.value_or(MsgButton::Cancel);
    }

    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override
    {
        if (onEveryBox)
            onEveryBox();
        inputs.append({caption, prompt, value});
        if (inputAnswers.isEmpty())
            return false;
        const InputAnswer answer = inputAnswers.takeFirst();
        if (answer.ok)
            value = answer.value;
        return answer.ok;
    }

    void ReportError(const QString &message) override
    {
        if (onEveryBox)
            onEveryBox();
        errors.append(message);
    }

    std::optional<QString> ChooseFileToOpen(const QString &caption, const QString &folder,
                                            const QStringList &filters) override
    {
        if (onEveryBox)
            onEveryBox();
        choosers.append({caption, folder, filters});
        return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.takeFirst();
    }

    QStringList texts() const
    {
        QStringList result;
        for (const Box &box : boxes)
            result.append(box.text);
        return result;
    }
};
