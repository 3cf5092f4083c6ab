#include "controls/shell/tkxshelllocator.h"

#include "controls/shell/shellutils.h"
#include "tests/controls/support/shelltesting.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// A locator that counts its change events, over a namespace of test folders.
class ShellLocatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("home/Docs")));
        locator.OnChange = [this](TKxShellLocator *sender) {
            EXPECT_EQ(sender, &locator);
            ++changes;
        };
    }

    QByteArray ListOf(const QString &path) const {
        QByteArray list;
        EXPECT_EQ(PathToIdList(path, list), 0);
        return list;
    }

    QTemporaryDir dir;
    ScopedDesktop desktop{dir.filePath(QStringLiteral("home")), {LocalMount(QStringLiteral("/"))}};
    TKxShellLocator locator;
    int changes = 0;
};

TEST_F(ShellLocatorTest, SettingTheSameListTwiceFiresOnceAndNoneOnNoneFiresNothing) {
    locator.SetIdList(QByteArray());
    EXPECT_EQ(changes, 0);
    const QByteArray docs = ListOf(dir.filePath(QStringLiteral("home/Docs")));
    locator.SetIdList(docs);
    locator.SetIdList(CopyIdList(docs));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(locator.Path(), dir.filePath(QStringLiteral("home/Docs")));
    EXPECT_EQ(locator.SpecialFolder(), kCsidlNone);
    locator.Clear();
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(locator.IdList().isNull());
    // The desktop's empty list is held as none.
    locator.SetIdList(CopyIdList(QByteArray()));
    EXPECT_EQ(changes, 2);
}

TEST_F(ShellLocatorTest, SettingAListOnASpecialFolderAlwaysFires) {
    locator.SetSpecialFolder(kCsidlProfile);
    EXPECT_EQ(changes, 1);
    QByteArray home;
    ASSERT_TRUE(SpecialFolderLocation(kCsidlProfile, home));
    locator.SetIdList(home);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(locator.GetKind(), TKxShellLocator::ByIdList);
    EXPECT_EQ(locator.Path(), dir.filePath(QStringLiteral("home")));
}

TEST_F(ShellLocatorTest, ASpecialFolderListIsAskedOnceOnFirstRequest) {
    locator.SetSpecialFolder(kCsidlDrives);
    EXPECT_TRUE(locator.IdList().isNull());
    const QByteArray first = locator.FolderIdList();
    EXPECT_FALSE(first.isNull());
    EXPECT_EQ(SpecialFolderOfIdList(first), kCsidlDrives);
    EXPECT_EQ(locator.IdList(), first);
    EXPECT_EQ(locator.FolderIdList(), first);
}

TEST_F(ShellLocatorTest, AssignCopiesTheFolderAndFiresOnlyForAChange) {
    TKxShellLocator other;
    other.SetIdList(ListOf(dir.filePath(QStringLiteral("home/Docs"))));
    locator.Assign(&other);
    locator.Assign(&other);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(locator.Equals(other));
    other.SetSpecialFolder(kCsidlDrives);
    EXPECT_FALSE(locator.Equals(other));
    locator.Assign(&other);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(locator.GetKind(), TKxShellLocator::BySpecialFolder);
    EXPECT_EQ(locator.SpecialFolder(), kCsidlDrives);
    // Clearing through Assign fires only when a list is held.
    locator.Assign(nullptr);
    EXPECT_EQ(changes, 2);
    locator.SetIdList(ListOf(dir.path()));
    locator.Assign(nullptr);
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(locator.IdList().isNull());
}

TEST_F(ShellLocatorTest, StoredRecordsReadBackAsWritten) {
    const QByteArray docs = ListOf(dir.filePath(QStringLiteral("home/Docs")));
    locator.SetIdList(docs);
    const QByteArray record = locator.Write();
    ASSERT_EQ(record.size(), 1 + 4 + docs.size());
    EXPECT_EQ(record[0], 0);
    EXPECT_EQ(qFromLittleEndian<quint32>(record.constData() + 1), quint32(docs.size()));
    TKxShellLocator read;
    ASSERT_TRUE(read.Read(record));
    EXPECT_TRUE(read.Equals(locator));

    locator.SetSpecialFolder(kCsidlDrives);
    EXPECT_EQ(locator.Write(), QByteArray("\x01\x11", 2));
    ASSERT_TRUE(read.Read(locator.Write()));
    EXPECT_EQ(read.GetKind(), TKxShellLocator::BySpecialFolder);
    EXPECT_EQ(read.SpecialFolder(), kCsidlDrives);
}

TEST_F(ShellLocatorTest, AStoredEmptyListIsTheDesktopAndMalformedRecordsChangeNothing) {
    TKxShellLocator read;
    ASSERT_TRUE(read.Read(QByteArray("\x00\x00\x00\x00\x00", 5)));
    EXPECT_EQ(read.GetKind(), TKxShellLocator::BySpecialFolder);
    EXPECT_EQ(read.SpecialFolder(), kCsidlDesktop);
    EXPECT_TRUE(read.IdList().isNull());
    struct Case {
        const char *name;
        QByteArray record;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"short count", QByteArray("\x00\x02\x00", 3)},
        {"count past the end", QByteArray("\x00\x08\x00\x00\x00\x00\x00", 7)},
        {"list without terminator", QByteArray("\x00\x04\x00\x00\x00\x04\x00\x03\x41", 9)},
        {"special folder without number", QByteArray("\x01", 1)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(read.Read(c.record));
        EXPECT_EQ(read.SpecialFolder(), kCsidlDesktop);
    }
}

} // namespace
