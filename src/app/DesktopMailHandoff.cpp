#include "DesktopMailHandoff.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopMailHandoff::openMailLink(const QByteArray &link)
{
    QDesktopServices::openUrl(QUrl::fromEncoded(link));
}
