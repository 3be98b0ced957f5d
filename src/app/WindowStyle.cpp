#include "WindowStyle.h"

#include "helpers/Dialogs.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// A carried look is a style sheet in the resources whose first line is its name in a
// comment: "/* Metropolis UI Blue */".
struct CarriedStyle
{
    QString name;
    QString path;
};

QList<CarriedStyle> carriedStyles()
{
    QList<CarriedStyle> styles;
    QDirIterator it(u":/styles"_s, {u"*.qss"_s}, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QString first = QString::fromUtf8(file.readLine()).trimmed();
        if (!first.startsWith(u"/*"_s) || !first.endsWith(u"*/"_s))
            continue;
        styles.append({first.mid(2, first.size() - 4).trimmed(), path});
    }
    return styles;
}

} // namespace

QString WindowStyleName()
{
    return u"Metropolis UI Blue"_s;
}

QString CarriedStyleSheet(const QString &name)
{
    for (const CarriedStyle &style : carriedStyles()) {
        if (style.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        QFile file(style.path);
        if (file.open(QIODevice::ReadOnly))
            return QString::fromUtf8(file.readAll());
    }
    return QString();
}

bool ApplyWindowStyle(const QString &name, Dialogs &dialogs)
{
    const QString sheet = CarriedStyleSheet(name);
    if (sheet.isEmpty()) {
        dialogs.ShowMessageBox(u"Style '%1' non trouvé"_s.arg(name), MsgKind::Error, {MsgButton::Close}, std::nullopt);
        return false;
    }
    qApp->setStyleSheet(sheet);
    return true;
}
