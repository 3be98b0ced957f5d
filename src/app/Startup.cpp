#include "Startup.h"

#include "TForm1.h"
#include "WindowLook.h"
#include "WindowStyle.h"
#include "files/WorkingFiles.h"
#include "helpers/DialogTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

void PrepareApplication()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    SetAppTitle(ApplicationTitle(QCoreApplication::applicationFilePath()));
    // Qt's French catalogue; without it Qt's own menus and buttons read in English.
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(u"qtbase_fr"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    WindowFontFamily(); // registers the typeface before any window measures text
}

std::unique_ptr<TForm1> StartUp(WorkingState state, const FormServices &services)
{
    ApplyWindowStyle(WindowStyleName(), services.dialogs);
    auto form = std::make_unique<TForm1>(std::move(state), services);
    form->show();
    return form;
}
