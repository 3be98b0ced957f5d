#include "DesktopMailHandoff.h"
#include "QtDialogs.h"
#include "Startup.h"
#include "TForm1.h"
#include "files/WorkingFiles.h"
#include "helpers/DialogTexts.h"
#include "recipients/RecipientSearch.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Qt takes its own options (-platform, -style, ...); every other argument is ignored.
    QApplication app(argc, argv);
    SetAppTitle(ApplicationTitle(QCoreApplication::applicationFilePath()));

    QtDialogs dialogs;
    DesktopMailHandoff mail;
    SteadyClock clock;
    const auto form = StartUp(WorkingStateBeside(QCoreApplication::applicationFilePath()), {dialogs, mail, clock});
    return app.exec();
}
