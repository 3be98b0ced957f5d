#include "dispatch/MailTo.h"

#include "dispatch/MailLink.h"

using namespace Qt::StringLiterals;

QString MailToCaption()
{
    return u"Envoyer"_s;
}

void MAILTO(const MailInputs &inputs, Dialogs &dialogs, MailHandoff &handoff)
{
    if (!inputs.lineSelected) {
        dialogs.ShowNotice(u"Vous devez sélectionner un destinataire = liste EMAIL"_s, MsgKind::Warning);
        return;
    }
    const QString body = ComposeMailBody(inputs.message, inputs.signature);
    if (inputs.recipient.isEmpty() || inputs.subject.isEmpty() || body.isEmpty()) {
        dialogs.ShowNotice(u"Le message est vide ou n'a pas de destinaire ou d'objet"_s, MsgKind::Warning);
        return;
    }
    const QByteArray link = ComposeMailLink(inputs.recipient, inputs.subject, body);
    // Refused before the confirmation: the user is not asked to confirm a send that cannot happen.
    if (MailLinkArgument(link).size() > MaxMailLinkBytes) {
        dialogs.ShowNotice(u"Le message est trop long pour le programme de messagerie : raccourcissez le message ou "
                           u"la signature."_s,
                           MsgKind::Warning);
        return;
    }
    if (!dialogs.AskConfirm(ComposeSendConfirmation(inputs.subject, inputs.recipient), MsgKind::Confirmation))
        return;
    handoff.openMailLink(link);
}
