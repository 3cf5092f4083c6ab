#include "controls/shell/newfolder.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

TEST(NewFolderNames, TwoSeriesOfFiftyNames) {
    const QStringList first = NewFolderNames(0);
    const QStringList second = NewFolderNames(1);
    ASSERT_EQ(first.size(), kNewFolderNamesPerSeries);
    ASSERT_EQ(second.size(), kNewFolderNamesPerSeries);
    EXPECT_EQ(first.first(), QStringLiteral("New Folder"));
    EXPECT_EQ(first.at(1), QStringLiteral("New Folder (2)"));
    EXPECT_EQ(first.last(), QStringLiteral("New Folder (50)"));
    EXPECT_EQ(second.first(), QStringLiteral("fldr"));
    EXPECT_EQ(second.at(1), QStringLiteral("fldr2"));
}

TEST(CreateNewFolderIn, TakenNamesMoveOnAndAnyOtherFailureEndsWithOneBoxGivingItsReason) {
    struct Case {
        const char *name;
        QSet<QString> taken;
        QSet<QString> failing; // fail with EACCES
        QString created;
        int warnings;
    };
    const QString p = QStringLiteral("/parent/");
    const Case cases[] = {
        {"first free", {}, {}, QStringLiteral("New Folder"), 0},
        {"next free",
         {p + "New Folder", p + "New Folder (2)"},
         {},
         QStringLiteral("New Folder (3)"),
         0},
        {"refused", {}, {p + "New Folder"}, QString(), 1},
        {"refused after taken names", {p + "New Folder"}, {p + "New Folder (2)"}, QString(), 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const NewFolderResult result =
            CreateNewFolderIn(QStringLiteral("/parent"), [&](const QString &path) {
                if (c.failing.contains(path))
                    return EACCES;
                return c.taken.contains(path) ? EEXIST : 0;
            });
        EXPECT_EQ(result.name, c.created);
        ASSERT_EQ(result.warnings.size(), c.warnings);
        if (c.warnings > 0) {
            EXPECT_TRUE(result.warnings.first().contains(QString::fromLocal8Bit(strerror(EACCES))))
                << result.warnings.first().toStdString();
            EXPECT_FALSE(
                result.warnings.first().contains(QString::fromLocal8Bit(strerror(EEXIST))));
        }
    }
}

TEST(CreateNewFolderIn, EveryNameTakenEndsWithTheAlreadyExistsWarning) {
    const NewFolderResult result =
        CreateNewFolderIn(QStringLiteral("/parent"), [](const QString &) { return EEXIST; });
    EXPECT_TRUE(result.name.isEmpty());
    ASSERT_EQ(result.warnings.size(), 1);
    EXPECT_TRUE(result.warnings.first().startsWith(
        QStringLiteral("Unable to create the folder 'New Folder'\n\n")));
}

TEST(CreateNewFolderIn, MakesTheFolderOnDisk) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("New Folder")));
    const NewFolderResult result = CreateNewFolderIn(dir.path(), MakeDirectory);
    EXPECT_EQ(result.name, QStringLiteral("New Folder (2)"));
    EXPECT_TRUE(QDir(dir.path() + QStringLiteral("/New Folder (2)")).exists());
}

} // namespace
