#include "helpers/DialogTexts.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

QString ApplicationTitle(const QString &exeFilePath)
{
    QString name = exeFilePath.mid(exeFilePath.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    // The first character stays as it is, even when it takes two UTF-16 units.
    const qsizetype first = name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1;
    return name.left(first) + name.mid(first).toLower();
}

namespace {
std::optional<QString> &storedTitle()
{
    static std::optional<QString> title;
    return title;
}
} // namespace

const QString &AppTitle()
{
    std::optional<QString> &title = storedTitle();
    if (!title)
        title = ApplicationTitle(QCoreApplication::applicationFilePath());
    return *title;
}

void SetAppTitle(const QString &title)
{
    storedTitle() = title;
}

QString MsgKindTitle(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warning:
        return u"Avertissement"_s;
    case MsgKind::Error:
        return u"Erreur"_s;
    case MsgKind::Information:
        return u"Informations"_s;
    case MsgKind::Confirmation:
        return u"Confirmer"_s;
    case MsgKind::Plain:
        break;
    }
    return AppTitle();
}

QString MsgButtonCaption(MsgButton button)
{
    switch (button) {
    case MsgButton::OK:
        return u"OK"_s;
    case MsgButton::Cancel:
        return u"Annuler"_s;
    case MsgButton::Close:
        break;
    }
    return u"Fer&mer"_s;
}

QString CaptionWithoutAccessKey(const QString &caption)
{
    QString result = caption;
    result.remove(u'&');
    return result;
}

std::optional<MsgButton> EffectiveDefaultButton(const QList<MsgButton> &buttons, std::optional<MsgButton> requested)
{
    if (requested && buttons.contains(*requested))
        return requested;
    if (!requested && buttons.contains(MsgButton::OK))
        return MsgButton::OK;
    return std::nullopt;
}

std::optional<MsgButton> CancelButtonOf(const QList<MsgButton> &buttons)
{
    if (buttons.contains(MsgButton::Cancel))
        return MsgButton::Cancel;
    if (buttons.contains(MsgButton::OK))
        return MsgButton::OK;
    return std::nullopt;
}

QString ErrorReportText(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

QString MessageBoxClipboardText(const QString &title, const QString &text, const QList<MsgButton> &buttons)
{
    const QString rule = QString(27, u'-') + u"\r\n"_s;
    QString captions;
    for (MsgButton button : buttons)
        captions += CaptionWithoutAccessKey(MsgButtonCaption(button)) + u"   "_s;
    return rule + title + u"\r\n"_s + rule + text + u"\r\n"_s + rule + captions + u"\r\n"_s + rule;
}
