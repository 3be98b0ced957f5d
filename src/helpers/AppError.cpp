#include "helpers/AppError.h"

using namespace Qt::StringLiterals;

AppError::AppError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

AppError AppError::CannotOpenFile(const QString &fullPath, const QString &reason)
{
    return AppError(u"Impossible d'ouvrir le fichier \"%1\". %2"_s.arg(fullPath, reason));
}

AppError AppError::CannotCreateFile(const QString &fullPath, const QString &reason)
{
    return AppError(u"Impossible de créer le fichier \"%1\". %2"_s.arg(fullPath, reason));
}

AppError AppError::WriteFailed()
{
    return AppError(u"Erreur d'écriture dans le flux"_s);
}

AppError AppError::CannotInsertLine()
{
    return AppError(u"Impossible d'insérer une ligne"_s);
}

AppError AppError::TextTooLongForMemo()
{
    return AppError(u"Le texte dépasse la capacité du mémo"_s);
}

AppError AppError::CannotWriteConfiguration(const QString &iniPath)
{
    return AppError(u"Impossible d'écrire dans %1"_s.arg(iniPath));
}

AppError AppError::ConfigurationValueHoldsLineBreak(const QString &iniPath)
{
    return AppError(u"Impossible d'écrire dans %1 : la valeur contient un saut de ligne"_s.arg(iniPath));
}

AppError AppError::NotAnInteger(const QString &text)
{
    return AppError(u"''%1'' n'est pas une valeur entière valide"_s.arg(text));
}

AppError AppError::NoMailProgram(const QString &reason)
{
    QString message = u"Aucun programme de messagerie ne s'est ouvert pour ce message. Choisissez un programme de "
                      u"messagerie par défaut dans les réglages du bureau, puis envoyez de nouveau."_s;
    if (!reason.isEmpty())
        message += u'\n' + reason;
    return AppError(message);
}
