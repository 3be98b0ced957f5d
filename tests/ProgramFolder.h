#pragma once

#include "files/WorkingFiles.h"

#include <QTemporaryDir>

// The folder of a program under test, fresh for each test: its configuration file and
// OBJETS.TXT, so that tests never share them.
class ProgramFolder
{
public:
    static inline const QString Section = QStringLiteral("Ferravel"); // the executable's name

    bool isValid() const { return m_dir.isValid(); }
    QString iniPath() const { return m_dir.filePath(QStringLiteral("Ferravel.INI")); }
    QString subjectsPath() const { return m_dir.filePath(QStringLiteral("OBJETS.TXT")); }

    // A working state whose program files are here and whose working files are all empty.
    WorkingState state() const
    {
        WorkingState state;
        state.iniPath = iniPath();
        state.geometrySection = Section;
        state.subjectsPath = subjectsPath();
        return state;
    }

private:
    QTemporaryDir m_dir;
};
