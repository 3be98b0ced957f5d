#include "TForm1.h"

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ferravel : Ostrande 2020 : (v 0.20.3)"));
}
