#include "SubjectsWiring.h"

#include "MemoEdit.h"
#include "SimpleComboBox.h"
#include "TForm1.h"
#include "WidgetGeometry.h"
#include "subjects/SignatureTemplates.h"
#include "subjects/SubjectList.h"

#include <QLineEdit>

SubjectsWiring::SubjectsWiring(TForm1 &form, const Controls &controls, Dialogs &dialogs)
    : m_form(form),
      m_controls(controls),
      m_subjectList(new SubjectList(&form)),
      // The working directory of the moment the window is created.
      m_templates(new SignatureTemplates(QString(), &form)),
      m_geometry(new WidgetGeometry(&form)),
      m_documents(*controls.message, *controls.signature, *this, dialogs),
      m_commands(*m_subjectList, m_documents, *this, dialogs)
{}

QString SubjectsWiring::subjectText() const
{
    return m_controls.subjectField->text();
}

void SubjectsWiring::setSubjectText(const QString &text)
{
    m_controls.subjectField->setText(text);
}

void SubjectsWiring::focusMessage()
{
    m_form.focusMessageField(); // before the window is on screen: when it first appears
}

void SubjectsWiring::focusSignature()
{
    if (m_controls.signature->isVisible())
        m_controls.signature->setFocus(Qt::OtherFocusReason);
}

void SubjectsWiring::focusSendButton()
{
    if (m_controls.sendButton->isVisible())
        m_controls.sendButton->setFocus(Qt::OtherFocusReason);
}

GeometryWindow &SubjectsWiring::geometryWindow()
{
    return *m_geometry;
}

int SubjectsWiring::signaturePaneHeight() const
{
    return m_form.signaturePaneHeight();
}

void SubjectsWiring::setSignaturePaneHeight(int height)
{
    m_form.setSignaturePaneHeight(height);
}

void SubjectsWiring::setRecipientCaption(const QString &caption)
{
    m_form.setCurrentRecipient(caption);
}
