#include "Startup.h"

#include "TForm1.h"
#include "WindowStyle.h"
#include "files/WorkingFiles.h"

std::unique_ptr<TForm1> StartUp(WorkingState state, const FormServices &services)
{
    ApplyWindowStyle(WindowStyleName(), services.dialogs);
    auto form = std::make_unique<TForm1>(std::move(state), services);
    form->show();
    return form;
}
