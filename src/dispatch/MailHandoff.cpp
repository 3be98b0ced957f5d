#include "dispatch/MailHandoff.h"

using namespace Qt::StringLiterals;

AppError NoMailProgramError(const QString &reason)
{
    QString message = u"Aucun programme de messagerie ne s'est ouvert pour ce message. Choisissez un programme de "
                      u"messagerie par défaut dans les réglages du bureau, puis envoyez de nouveau."_s;
    if (!reason.isEmpty())
        message += u'\n' + reason;
    return AppError(message);
}
