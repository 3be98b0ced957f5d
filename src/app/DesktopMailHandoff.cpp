#include "DesktopMailHandoff.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopMailHandoff::openMailLink(const QByteArray &link)
{
    // The link is already encoded: parsed strictly from its bytes, QUrl gives back the very
    // same bytes, so nothing is encoded twice. What the mail program does next is its affair.
    QDesktopServices::openUrl(QUrl::fromEncoded(link, QUrl::StrictMode));
}
