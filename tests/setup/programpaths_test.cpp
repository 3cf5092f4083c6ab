#include "setup/programpaths.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ProgramPathsTest, FilesBesideAWritableProgramFolder) {
    QTemporaryDir dir;
    const ProgramPaths paths = ProgramPathsFor(dir.filePath("netsetup"), "/config");
    EXPECT_EQ(paths.AppDir, dir.path() + "/");
    EXPECT_EQ(paths.IniPath, dir.path() + "/netsetup.ini");
    EXPECT_EQ(paths.DatPath, dir.path() + "/netsetup.dat");
}

TEST(ProgramPathsTest, FilesInTheConfigurationFolderOtherwise) {
    QTemporaryDir dir;
    const ProgramPaths paths = ProgramPathsFor(dir.filePath("missing/netsetup"), "/config");
    EXPECT_EQ(paths.AppDir, dir.path() + "/missing/");
    EXPECT_EQ(paths.IniPath, "/config/netsetup.ini");
    EXPECT_EQ(paths.DatPath, "/config/netsetup.dat");
}

} // namespace
