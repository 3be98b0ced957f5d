// A bare Qt main window of the same size, built the same way: the reference.
#include "FirstFrame.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Ferravel : Ostrande 2020 : (v " FERRAVEL_VERSION ")"));
    window.menuBar()->addMenu(QStringLiteral("Fichier"));
    window.resize(839, 488);
    FirstFrame frame(&window);
    window.show();
    return app.exec();
}
