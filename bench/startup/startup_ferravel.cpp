// The program's own start-up (style, window, create and show hooks), timed to its first frame.
#include "FirstFrame.h"

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
    QApplication app(argc, argv);
    PrepareApplication();
    QtDialogs dialogs;
    DesktopMailHandoff mail;

    // Watch the window from its creation on: StartUp creates and shows it.
    struct Watcher : QObject
    {
        std::unique_ptr<FirstFrame> frame;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (!frame && event->type() == QEvent::Show && qobject_cast<TForm1 *>(watched))
                frame = std::make_unique<FirstFrame>(static_cast<QWidget *>(watched));
            return false;
        }
    } watcher;
    app.installEventFilter(&watcher);

    SteadyClock clock;
    const auto form = StartUp(WorkingStateBeside(QCoreApplication::applicationFilePath()), {dialogs, mail, clock});
    return app.exec();
}
