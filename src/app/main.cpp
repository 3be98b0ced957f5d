#include "DesktopMailHandoff.h"
#include "QtDialogs.h"
#include "Startup.h"
#include "TForm1.h"
#include "helpers/DialogTexts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Qt takes its own options (-platform, -style, ...); every other argument is ignored.
    QApplication app(argc, argv);
    SetAppTitle(ApplicationTitle(QCoreApplication::applicationFilePath()));

    QtDialogs dialogs;
    DesktopMailHandoff mail;
    const auto form = StartUp(dialogs, mail);
    return app.exec();
}
