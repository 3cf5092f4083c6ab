#include "controls/tkxshelllist.h"

#include "controls/shellutils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

class TestShellList : public TKxShellList {
public:
    using TKxShellList::TKxShellList;
    using TKxShellList::ColumnClick;
};

QStringList Captions(const QTreeWidget &list) {
    QStringList captions;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        captions << list.topLevelItem(i)->text(0);
    return captions;
}

QTreeWidgetItem *Item(const QTreeWidget &list, const QString &caption) {
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        if (list.topLevelItem(i)->text(0) == caption)
            return list.topLevelItem(i);
    }
    return nullptr;
}

// A folder on disk with two folders, two files of 1,025 and 1,024 bytes and a hidden file; the
// list shows it without change watching.
class ShellListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const char *name : {"beta", "alpha/inner"})
            ASSERT_TRUE(QDir(dir.path()).mkpath(QString::fromLatin1(name)));
        Write("a.txt", 1025);
        Write("b.conf", 1024);
        Write(".secret", 1);
        list.SetOptions(kDefaultShellListOptions & ~(sloDynamicRefresh | sloAutoFill | sloShowHidden));
        list.Folder().SetPath(dir.path());
    }

    void Write(const char *name, int size) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(size, 'x'));
    }
    QString Path(const char *relative) const {
        return dir.path() + QLatin1Char('/') + QString::fromLatin1(relative);
    }

    QTemporaryDir dir;
    TestShellList list;
};

TEST_F(ShellListTest, ShowsTheFolderWithFoldersFirst) {
    EXPECT_EQ(Captions(list), (QStringList{"alpha", "beta", "a.txt", "b.conf"}));
}

TEST_F(ShellListTest, DetailColumnsShowSizeInKilobytesAndNoSizeForFolders) {
    const QTreeWidgetItem *header = list.headerItem();
    EXPECT_EQ(header->text(0), QStringLiteral("Name"));
    EXPECT_EQ(header->text(1), QStringLiteral("Size"));
    EXPECT_EQ(header->text(2), QStringLiteral("Type"));
    EXPECT_EQ(header->text(3), QStringLiteral("Modified"));
    struct Case {
        const char *caption;
        const char *size;
    };
    for (const Case &c : {Case{"a.txt", "2KB"}, Case{"b.conf", "1KB"}, Case{"alpha", ""}}) {
        SCOPED_TRACE(c.caption);
        const QTreeWidgetItem *item = Item(list, QString::fromLatin1(c.caption));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(1), QString::fromLatin1(c.size));
        EXPECT_FALSE(item->text(3).isEmpty());
    }
}

TEST_F(ShellListTest, ClickingTheSortedColumnTwiceRestoresTheNaturalOrder) {
    const QStringList natural = Captions(list);
    list.ColumnClick(0);
    EXPECT_EQ(list.SortColumn(), -1);
    QStringList reversed = natural;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(Captions(list), reversed);
    list.ColumnClick(0);
    EXPECT_EQ(list.SortColumn(), 1);
    EXPECT_EQ(Captions(list), natural);
}

TEST_F(ShellListTest, ASortColumnBeyondTheColumnsFallsBackToTheFirst) {
    list.SetSortColumn(9);
    EXPECT_EQ(list.SortColumn(), 1);
    list.SetSortColumn(-4);
    EXPECT_EQ(list.SortColumn(), -4);
}

TEST_F(ShellListTest, HiddenItemsFollowTheOption) {
    list.SetOptions(list.Options() | sloShowHidden);
    list.Fill();
    EXPECT_TRUE(Captions(list).contains(QStringLiteral(".secret")));
    list.SetOptions(list.Options() & ~sloShowHidden);
    list.Fill();
    EXPECT_FALSE(Captions(list).contains(QStringLiteral(".secret")));
}

TEST_F(ShellListTest, OpeningAFolderEntersItAndBackspaceLeavesIt) {
    list.OpenItem(Item(list, QStringLiteral("alpha")));
    EXPECT_EQ(list.Folder().Path(), Path("alpha"));
    EXPECT_EQ(Captions(list), QStringList{"inner"});
    list.GoUp(1);
    EXPECT_EQ(list.Folder().Path(), dir.path());
    list.SetOptions(list.Options() | sloStayInFolder);
    list.OpenItem(Item(list, QStringLiteral("alpha")));
    EXPECT_EQ(list.Folder().Path(), dir.path());
}

TEST_F(ShellListTest, RefreshAddsNewItemsAndDropsGoneOnes) {
    Write("c.ini", 3);
    ASSERT_TRUE(QFile::remove(Path("a.txt")));
    list.Refresh();
    EXPECT_EQ(Captions(list), (QStringList{"alpha", "beta", "b.conf", "c.ini"}));
}

TEST_F(ShellListTest, RenameNeverReplacesAnExistingFile) {
    QTreeWidgetItem *a = Item(list, QStringLiteral("a.txt"));
    EXPECT_THROW(list.RenameItem(a, QStringLiteral("b.conf")), std::exception);
    EXPECT_EQ(QFileInfo(Path("a.txt")).size(), 1025);
    EXPECT_EQ(QFileInfo(Path("b.conf")).size(), 1024);
    EXPECT_TRUE(list.RenameItem(a, QStringLiteral("c.txt")));
    EXPECT_EQ(QFileInfo(Path("c.txt")).size(), 1025);
    EXPECT_EQ(a->text(0), QStringLiteral("c.txt"));
}

TEST_F(ShellListTest, AFileFilterKeepsFoldersAndMatchingFiles) {
    list.SetFileFilter(QStringLiteral("*.conf"));
    list.Fill();
    EXPECT_EQ(Captions(list), (QStringList{"alpha", "beta", "b.conf"}));
    list.SetFileFilter(QStringLiteral("*.*"));
    list.Fill();
    EXPECT_EQ(Captions(list), (QStringList{"alpha", "beta", "a.txt", "b.conf"}));
}

} // namespace
