#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The kinds of message box: each fixes the box's title and icon.
enum class MsgKind { Warning, Error, Information, Confirmation, Plain };

// The buttons a message box can show, and the results they close it with.
enum class MsgButton { OK, Cancel, Close };
using MsgResult = MsgButton;

// The modal boxes, as the core sees them. The window implements them with Qt dialogs;
// tests implement them with scripted answers. Every call returns when the box is closed.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Returns the button that closed the box; Cancel when its close box closed it.
    // defaultButton: the focused button pressed by Enter; std::nullopt for none.
    virtual MsgResult ShowMessageBox(const QString &text, MsgKind kind, const QList<MsgButton> &buttons,
                                     std::optional<MsgButton> defaultButton) = 0;

    // Asks for one line of text. True on OK, and value then holds the field's text.
    virtual bool InputQuery(const QString &caption, const QString &prompt, QString &value) = 0;

    // Shows an error that escaped an operation (with the "." rule applied).
    virtual void ReportError(const QString &message) = 0;

    // The desktop's file chooser, to open one file: its title, the folder it opens in, its
    // filters ("Listes d'EMAILS (*.txt *.TXT)", the first one in force). The chosen file's full
    // path; no value when the user cancels.
    virtual std::optional<QString> ChooseFileToOpen(const QString &caption, const QString &folder,
                                                    const QStringList &filters) = 0;

    // One OK button; true however the box was closed.
    bool ShowNotice(const QString &text, MsgKind kind);
    // OK and "Annuler"; true only for OK.
    bool AskConfirm(const QString &text, MsgKind kind);
    // The application title as title, no icon, one OK button.
    void ShowPlainMessage(const QString &text);
};
