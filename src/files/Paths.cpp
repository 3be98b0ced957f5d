#include "files/Paths.h"

#include <QCoreApplication>
#include <QFile>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

QString ReplaceExtension(const QString &name, const QString &extension)
{
    qsizetype i = name.size() - 1;
    while (i >= 0 && name[i] != u'.' && name[i] != u'\\' && name[i] != u':')
        --i;
    if (i > 0 && name[i] == u'.')
        return name.left(i) + extension;
    return name + extension;
}

QString FileNamePart(const QString &path)
{
    qsizetype i = path.size() - 1;
    while (i >= 0 && path[i] != u'/' && path[i] != u'\\' && path[i] != u':')
        --i;
    return path.mid(i + 1);
}

// The executable's file name: on this platform only "/" separates folders.
static QString ExeFileName(const QString &exePath)
{
    return exePath.mid(exePath.lastIndexOf(u'/') + 1);
}

QString AppDir(const QString &exePath)
{
    QString dir = exePath.left(exePath.lastIndexOf(u'/') + 1);
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

QString ExeBaseName(const QString &exePath)
{
    return ReplaceExtension(ExeFileName(exePath), QString());
}

QString DefaultIniPath(const QString &exePath)
{
    return AppDir(exePath) + ReplaceExtension(ExeFileName(exePath), u".INI"_s);
}

QString ExecutablePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFile::symLinkTarget(u"/proc/self/exe"_s);
}

QString AppDir()
{
    return AppDir(ExecutablePath());
}
QString ExeBaseName()
{
    return ExeBaseName(ExecutablePath());
}
QString DefaultIniPath()
{
    return DefaultIniPath(ExecutablePath());
}

bool FileExists(const QString &path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return false;
    struct stat st;
    // stat() follows links, so a link counts when its target is a regular file.
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}
