#include "dispatch/MailLink.h"

#include <QUrl>

using namespace Qt::StringLiterals;

QString ComposeMailBody(const QString &message, const QString &signature)
{
    return message + u"\r\n\r\n\r\n"_s + signature;
}

QByteArray ComposeMailLink(const QString &recipient, const QString &subject, const QString &body)
{
    // toPercentEncoding leaves exactly the unreserved characters as they are, hex in capitals.
    return "mailto:" + recipient.toUtf8().toPercentEncoding("@") + "?subject=" + subject.toUtf8().toPercentEncoding()
        + "&body=" + body.toUtf8().toPercentEncoding();
}

QByteArray MailLinkArgument(const QByteArray &link)
{
    return QUrl::fromEncoded(link, QUrl::StrictMode).toEncoded();
}

QString ComposeSendConfirmation(const QString &subject, const QString &recipient)
{
    const QString gap = u"\r\n\r\n"_s;
    return u"Envoyer  "_s + gap + subject + gap + u"à : "_s + gap + recipient + gap + QString(40, u'-');
}
