#pragma once

#include <QString>

// Where netsetup keeps its own files: the program folder, the window-state file (".ini") and the
// defaults file (".dat"), named after the program file.
struct ProgramPaths {
    QString AppDir; // with a trailing "/"
    QString IniPath;
    QString DatPath;
};

// The files sit beside the program when its folder is writable, otherwise in configFolder.
ProgramPaths ProgramPathsFor(const QString &programPath, const QString &configFolder);

// The paths of the running program; the fallback is the user's configuration folder.
ProgramPaths CurrentProgramPaths();
