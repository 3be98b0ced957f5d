#include "recipients/CurrentRecipient.h"

#include "recipients/ExtractEmail.h"

using namespace Qt::StringLiterals;

QString NonConformingMarker()
{
    return u"*** EMAIL Non Conforme *** (F2)"_s;
}

QString InitialRecipientCaption()
{
    return u"Déposer ici le fichier \"EMAILS.TXT\""_s;
}

QString RecipientForLine(const QString &line)
{
    const QString address = ExtractEmail(line);
    return address.isEmpty() ? NonConformingMarker() : address;
}

QString SendButtonCaption(const QString &recipient)
{
    return u"Envoyer à\r\n\r\n"_s + recipient;
}
