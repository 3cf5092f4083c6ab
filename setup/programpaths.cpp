#include "setup/programpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString withSlash(const QString &folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

ProgramPaths ProgramPathsFor(const QString &programPath, const QString &configFolder) {
    const QFileInfo program(programPath);
    ProgramPaths paths;
    paths.AppDir = withSlash(program.absolutePath());
    const QString folder =
        QFileInfo(program.absolutePath()).isWritable() ? paths.AppDir : withSlash(configFolder);
    const QString base = folder + program.completeBaseName();
    paths.IniPath = base + QStringLiteral(".ini");
    paths.DatPath = base + QStringLiteral(".dat");
    return paths;
}

ProgramPaths CurrentProgramPaths() {
    const QString configFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(configFolder);
    return ProgramPathsFor(QCoreApplication::applicationFilePath(), configFolder);
}
