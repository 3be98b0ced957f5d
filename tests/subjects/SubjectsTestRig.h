#pragma once

#include "ProgramFolder.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"

#include "files/Paths.h"
#include "files/TextHolders.h"
#include "files/WorkingFiles.h"
#include "helpers/AppError.h"
#include "helpers/Guard.h"
#include "subjects/MailDocuments.h"
#include "subjects/SubjectCommands.h"
#include "subjects/SubjectList.h"
#include "subjects/SubjectsWindow.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

using namespace Qt::StringLiterals;

// A memo as the documents see it: CR LF text, its remembered encoding, a capacity.
class FakeMemo : public TextHolder
{
public:
    qsizetype capacity = 100000;

    QString text() const override { return m_text; }
    void setText(const QString &text) override
    {
        if (text.size() > capacity)
            throw AppError::TextTooLongForMemo();
        m_text = text;
    }
    RememberedEncoding rememberedEncoding() const override { return m_encoding; }
    void setRememberedEncoding(RememberedEncoding encoding) override { m_encoding = encoding; }

private:
    QString m_text;
    RememberedEncoding m_encoding;
};

// A subject list that cannot take the lines of a file, as a file that cannot be read.
class RefusingSubjectList : public SubjectList
{
public:
    void replaceLines(const QList<QStringView> &) override { throw AppError::CannotInsertLine(); }
};

enum class Focus { Subject, Message, Signature, SendButton, Elsewhere };

// The window's side: the subject field and the focus. Moving the focus out of the subject
// field runs its leave handler under its own guard, as the real window's focus event does.
class FakeSubjectsWindow : public SubjectsWindow
{
public:
    explicit FakeSubjectsWindow(Dialogs &dialogs) : m_dialogs(dialogs) {}

    SubjectCommands *commands = nullptr;
    QString text;
    qsizetype selectionStart = 0;
    qsizetype selectionLength = 0;
    Focus focus = Focus::Elsewhere;
    int exits = 0;

    QString subjectText() const override { return text; }
    void setSubjectText(const QString &newText) override
    {
        text = newText;
        selectionStart = newText.size();
        selectionLength = 0;
    }
    void focusMessage() override { moveFocus(Focus::Message); }
    void focusSignature() override { moveFocus(Focus::Signature); }
    void focusSendButton() override { moveFocus(Focus::SendButton); }

    void moveFocus(Focus to)
    {
        const Focus from = focus;
        focus = to;
        if (from == Focus::Subject && to != Focus::Subject && commands) {
            ++exits;
            RunGuarded(m_dialogs, [this] { commands->ComboObjetExit(); });
        }
    }

private:
    Dialogs &m_dialogs;
};

// The subject field, its list and the two memos wired as the window wires them, over a
// working state of their own whose program files are in folder.
struct SubjectsRig
{
    explicit SubjectsRig(const ProgramFolder &folder, SubjectList *customList = nullptr)
        : SubjectsRig(folder.state(), customList)
    {}
    explicit SubjectsRig(WorkingState workingState, SubjectList *customList = nullptr)
        : list(customList ? *customList : ownList),
          state(std::move(workingState))
    {
        window.commands = &commands;
    }

    ScriptedDialogs dialogs;
    FakeMemo message;
    FakeMemo signature;
    SubjectList ownList;
    SubjectList &list;
    WorkingState state;
    FakeSubjectsWindow window{dialogs};
    MailDocuments documents{message, signature, window, state, dialogs};
    SubjectCommands commands{list, documents, window, state, dialogs};

    // Focus into the subject field, text typed over it, focus out: the user's way of choosing
    // a subject by its name.
    void enterAndLeave(const QString &newText)
    {
        window.focus = Focus::Subject;
        window.text = newText;
        window.moveFocus(Focus::Elsewhere);
    }

    // The user picks an entry of the subject field's list, as the field reports it: the
    // entry is selected and shown, then the pick event runs.
    void pick(int index)
    {
        list.setSelectedIndex(index);
        window.setSubjectText(list.lineAt(index));
        RunGuarded(dialogs, [this] { commands.ComboObjetClick(); });
    }
};

inline QStringList Entries(const SubjectList &list)
{
    return list.stringList();
}
