#include "DesktopMailHandoff.h"
#include "PlatformChoice.h"
#include "QtDialogs.h"
#include "Startup.h"
#include "TForm1.h"
#include "files/WorkingFiles.h"
#include "recipients/RecipientSearch.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The program takes no arguments and ignores any it is given: Qt sees the program's name
    // only, so that none of its own options (-platform, -reverse, -qwindowtitle, ...) applies.
    // The platform still comes from QT_QPA_PLATFORM.
    char fallbackName[] = "Ferravel";
    char *qtArgv[] = {argc > 0 && argv[0] ? argv[0] : fallbackName, nullptr};
    int qtArgc = 1;
    ChoosePlatformForWindowPlacement(); // before QApplication, which picks the platform
    QApplication app(qtArgc, qtArgv);
    PrepareApplication();

    QtDialogs dialogs;
    DesktopMailHandoff mail;
    SteadyClock clock;
    const auto form = StartUp(WorkingStateBeside(QCoreApplication::applicationFilePath()), {dialogs, mail, clock});
    return app.exec();
}
