#include "WindowSeams.h"

#include "ui_Form1.h"

#include "TForm1.h"
#include "WidgetGeometry.h"

WindowSeams::WindowSeams(TForm1 &form, Ui::Form1 &controls)
    : m_form(form),
      ui(controls),
      m_geometry(new WidgetGeometry(&form))
{}

QString WindowSeams::currentRecipient() const
{
    return ui.panel_emails->caption();
}

void WindowSeams::setCurrentRecipient(const QString &recipient)
{
    ui.panel_emails->setCaption(recipient);
}

void WindowSeams::setSendButtonCaption(const QString &caption)
{
    ui.btn_SEND->setText(caption);
}

QString WindowSeams::subjectText() const
{
    return ui.ComboObjet->text();
}

void WindowSeams::setSubjectText(const QString &text)
{
    ui.ComboObjet->setText(text);
}

void WindowSeams::focusMessage()
{
    m_form.moveFocusTo(ui.Memo_MSG);
}

void WindowSeams::focusSignature()
{
    m_form.moveFocusTo(ui.Memo_SIGN);
}

void WindowSeams::focusSendButton()
{
    m_form.moveFocusTo(ui.btn_SEND);
}

GeometryWindow &WindowSeams::geometryWindow()
{
    return *m_geometry;
}

int WindowSeams::signaturePaneHeight() const
{
    return m_form.signaturePaneHeight();
}

void WindowSeams::setSignaturePaneHeight(int height)
{
    m_form.setSignaturePaneHeight(height);
}
