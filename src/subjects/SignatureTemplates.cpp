#include "subjects/SignatureTemplates.h"

#include "files/FileIo.h"
#include "helpers/AppError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

using namespace Qt::StringLiterals;

SignatureTemplates::SignatureTemplates(const QString &folder, QObject *parent)
    : QStringListModel(parent),
      m_folder(folder.isEmpty() ? QDir::currentPath() : folder),
      m_selection(*this)
{}

void SignatureTemplates::Read()
{
    errno = 0;
    if (!QDir::setCurrent(m_folder))
        throw CannotOpenError(m_folder, errno ? errno : ENOENT);
    const QDir dir(m_folder);
    if (!QFileInfo(m_folder).isReadable())
        throw CannotOpenError(m_folder, EACCES);
    const QStringList names = dir.entryList({u"*.SIGNX"_s}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    setStringList(names); // no entry selected any more
}

QString SignatureTemplates::selectedPath() const
{
    if (selectedIndex() < 0)
        return QString();
    const QString name = data(index(selectedIndex()), Qt::DisplayRole).toString();
    return m_folder.endsWith(u'/') ? m_folder + name : m_folder + u'/' + name;
}
