#include "files/WorkingFiles.h"

#include "files/Paths.h"

using namespace Qt::StringLiterals;

WorkingState WorkingStateBeside(const QString &exePath)
{
    WorkingState state;
    state.iniPath = DefaultIniPath(exePath);
    state.geometrySection = ExeBaseName(exePath);
    state.subjectsPath = AppDir(exePath) + u"OBJETS.TXT"_s;
    return state;
}
