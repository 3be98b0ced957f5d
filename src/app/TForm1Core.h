#pragma once

#include "ui_Form1.h"

#include "TForm1.h"
#include "WindowSeams.h"
#include "config/ConfigCommands.h"
#include "files/WorkingFiles.h"
#include "recipients/RecipientCommands.h"
#include "recipients/RecipientList.h"
#include "recipients/RecipientSearch.h"
#include "subjects/MailDocuments.h"
#include "subjects/SignatureTemplates.h"
#include "subjects/SubjectCommands.h"
#include "subjects/SubjectList.h"

// The window's working state and the core objects its handlers call, made once the controls
// exist. The lists are children of the window, so that they outlive the views showing them.
struct TForm1::Core
{
    Core(TForm1 &form, Ui::Form1 &ui, WorkingState workingState, const FormServices &services)
        : state(std::move(workingState)),
          recipients(*new RecipientList(&form)),
          subjects(*new SubjectList(&form)),
          // The working directory of the moment the window is created.
          templates(*new SignatureTemplates(QString(), &form)),
          seams(form, ui),
          recipientCommands(recipients, state, seams, services.dialogs, QLocale()), // the user's collation
          documents(*ui.Memo_MSG, *ui.Memo_SIGN, seams, state, services.dialogs),
          subjectCommands(subjects, documents, seams, state, services.dialogs),
          config(state, seams, seams, subjectCommands, services.dialogs),
          typeAhead(services.clock)
    {}

    WorkingState state;
    RecipientList &recipients;
    SubjectList &subjects;
    SignatureTemplates &templates;
    WindowSeams seams;
    RecipientCommands recipientCommands;
    MailDocuments documents;
    SubjectCommands subjectCommands;
    ConfigCommands config;
    TypeAhead typeAhead;
};
