#pragma once

#include <QString>

// What the subject and document commands ask of the main window.
class SubjectsWindow
{
public:
    virtual ~SubjectsWindow() = default;

    // The subject field's text (ComboObjet's edit part): the current subject.
    virtual QString subjectText() const = 0;
    virtual void setSubjectText(const QString &text) = 0;

    // Focus requests. Each does nothing while its control is not showing. Moving the focus
    // out of the subject field runs its leave handler (ComboObjetExit) as any move does.
    virtual void focusMessage() = 0;
    virtual void focusSignature() = 0;
    virtual void focusSendButton() = 0;
};
