#pragma once

#include "config/ConfigCommands.h"
#include "recipients/RecipientsWindow.h"
#include "subjects/SubjectsWindow.h"

class TForm1;
class WidgetGeometry;

namespace Ui {
class Form1;
}

// The main window as the core's commands see it: every interface they ask of the window,
// answered by its controls.
class WindowSeams : public RecipientsWindow, public SubjectsWindow, public ConfigWindow
{
public:
    // The geometry adapter becomes a child of form.
    WindowSeams(TForm1 &form, Ui::Form1 &ui);

    // RecipientsWindow
    QString currentRecipient() const override;
    void setCurrentRecipient(const QString &recipient) override;
    void setSendButtonCaption(const QString &caption) override;

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

private:
    TForm1 &m_form;
    Ui::Form1 &ui;
    WidgetGeometry *m_geometry;
};
