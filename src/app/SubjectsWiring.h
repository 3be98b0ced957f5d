#pragma once

#include "files/ConfigCommands.h"
#include "subjects/MailDocuments.h"
#include "subjects/SubjectCommands.h"
#include "subjects/SubjectsWindow.h"

class Dialogs;
class MemoEdit;
class SignatureTemplates;
class SimpleComboBox;
class SubjectList;
class TForm1;
class WidgetGeometry;
class QWidget;

// The main window as the subject, document and configuration commands see it, with the
// data those commands work on: the subject list shown by ComboObjet, the template list shown
// by FileList_SIGN, and the two memos.
class SubjectsWiring : public SubjectsWindow, public ConfigWindow
{
public:
    struct Controls
    {
        SimpleComboBox *subjectField;
        MemoEdit *message;
        MemoEdit *signature;
        QWidget *sendButton;
    };
    // The lists and the geometry adapter become children of form (they outlive the views).
    SubjectsWiring(TForm1 &form, const Controls &controls, Dialogs &dialogs);

    SubjectList &subjectList() { return *m_subjectList; }
    SignatureTemplates &templates() { return *m_templates; }
    MailDocuments &documents() { return m_documents; }
    SubjectCommands &commands() { return m_commands; }

    // SubjectsWindow
    QString subjectText() const override;
    void setSubjectText(const QString &text) override;
    void focusMessage() override;
    void focusSignature() override;
    void focusSendButton() override;

    // ConfigWindow
    GeometryWindow &geometryWindow() override;
    int signaturePaneHeight() const override;
    void setSignaturePaneHeight(int height) override;
    void setRecipientCaption(const QString &caption) override;

private:
    TForm1 &m_form;
    Controls m_controls;
    SubjectList *m_subjectList;
    SignatureTemplates *m_templates;
    WidgetGeometry *m_geometry;
    MailDocuments m_documents;
    SubjectCommands m_commands;
};
