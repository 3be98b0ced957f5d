#include "ImageList.h"

#include <QString>

QIcon ImageList1(int index)
{
    if (index < 0 || index >= ImageList1Count)
        return QIcon();
    return QIcon(QStringLiteral(":/images/%1.png").arg(index));
}

QIcon ProgramIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/images/program-16.png"));
    icon.addFile(QStringLiteral(":/images/program-32.png"));
    return icon;
}
