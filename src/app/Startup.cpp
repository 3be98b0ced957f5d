#include "Startup.h"

#include "TForm1.h"
#include "WindowStyle.h"

std::unique_ptr<TForm1> StartUp(Dialogs &dialogs, MailHandoff &mail, HandlerProbe *probe)
{
    ApplyWindowStyle(WindowStyleName(), dialogs);
    auto form = std::make_unique<TForm1>(dialogs, mail, probe);
    form->show();
    return form;
}
