#include "controls/shell/tkxshelllist.h"

#include "controls/framework/timagelist.h"
#include "controls/shell/changenotifyevent.h"
#include "controls/shell/shellviewwatch.h"
#include "controls/shell/shellutils.h"
#include "controls/shell/tkxdevicechangehandler.h"
#include "tests/controls/support/shelltesting.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

class TestShellList : public TKxShellList {
public:
    using TKxShellList::ColumnClick;
    using TKxShellList::RefreshScheduled;
    using TKxShellList::TKxShellList;
    using TKxShellList::Watch;

    bool EditName(QTreeWidgetItem *item) {
        return edit(indexFromItem(item), QAbstractItemView::AllEditTriggers, nullptr);
    }
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
        list.SetOptions(kDefaultShellListOptions &
                        ~(sloDynamicRefresh | sloAutoFill | sloShowHidden));
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
    ScopedDesktop desktop{dir.filePath(QStringLiteral("home")), {LocalMount(QStringLiteral("/"))}};
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

TEST_F(ShellListTest, TheTypeColumnSortsByTheDescriptionItShows) {
    // Folders first and suffix order are not the order of the descriptions.
    Write("zeta.html", 1);
    Write("omega.txt", 1);
    list.Fill();
    list.SetSortColumn(3);
    QStringList types;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        types << list.topLevelItem(i)->text(2);
    QStringList sorted = types;
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(types, sorted);
}

TEST_F(ShellListTest, OnGetImageIndexChoosesFromTheSmallImagesAndBelowOneTakesTheShells) {
    TImageList images(16, 16);
    for (const QColor &colour : {QColor(Qt::red), QColor(Qt::blue)}) {
        QPixmap image(16, 16);
        image.fill(colour);
        images.Add(image);
    }
    list.SetSmallImages(&images);
    list.Fill();
    list.OnGetImageIndex = [](QObject *, QTreeWidgetItem *item, int &index) {
        index = item->text(0) == QLatin1String("a.txt") ? 1 : 0;
    };
    const auto colourOf = [this](const char *caption) {
        const QIcon icon = Item(list, QString::fromLatin1(caption))->icon(0);
        return icon.pixmap(16, 16).toImage().pixelColor(8, 8);
    };
    EXPECT_EQ(colourOf("a.txt"), QColor(Qt::blue));
    EXPECT_NE(colourOf("b.conf"), QColor(Qt::blue));
    EXPECT_NE(colourOf("b.conf"), QColor(Qt::red));
}

TEST_F(ShellListTest, ASortColumnBeyondTheColumnsFallsBackToTheFirst) {
    list.SetSortColumn(9);
    EXPECT_EQ(list.SortColumn(), 1);
    list.SetSortColumn(-4);
    EXPECT_EQ(list.SortColumn(), -4);
}

TEST_F(ShellListTest, TheHeaderArrowPointsDownForTheNaturalOrderAndUpForTheReversed) {
    // A list starts sorted by its first column.
    EXPECT_EQ(list.SortArrowColumn(), 0);
    EXPECT_EQ(list.SortDirection(), sdDescending);
    struct Case {
        int sortColumn;
        int arrowColumn;
        TSortDirection arrow;
    };
    for (const Case &c : {Case{2, 1, sdDescending}, Case{-2, 1, sdAscending},
                          Case{-4, 3, sdAscending}, Case{1, 0, sdDescending}}) {
        SCOPED_TRACE(c.sortColumn);
        list.SetSortColumn(c.sortColumn);
        EXPECT_EQ(list.SortArrowColumn(), c.arrowColumn);
        EXPECT_EQ(list.SortDirection(), c.arrow);
    }
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

TEST_F(ShellListTest, InADialogEnterOpensOnlyAFolderAndElseGoesToTheDefaultButton) {
    QDialog dialog;
    QPushButton ok(QStringLiteral("OK"), &dialog);
    ok.setDefault(true);
    int pressed = 0;
    QObject::connect(&ok, &QPushButton::clicked, [&] { ++pressed; });
    TestShellList inDialog(&dialog);
    inDialog.SetOptions(list.Options());
    inDialog.Folder().SetPath(dir.path());
    QStringList opened;
    inDialog.OnItemOpening = [&](QObject *, QTreeWidgetItem *item, bool &handled) {
        opened << item->text(0);
        handled = true;
    };
    dialog.show();
    inDialog.setCurrentItem(Item(inDialog, QStringLiteral("a.txt")));
    TypeKey(inDialog, Qt::Key_Return);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(pressed, 1);
    inDialog.setCurrentItem(Item(inDialog, QStringLiteral("alpha")));
    TypeKey(inDialog, Qt::Key_Return);
    EXPECT_EQ(inDialog.Folder().Path(), Path("alpha"));
    EXPECT_EQ(pressed, 1);
    // Outside a dialog Enter opens whatever is selected.
    list.OnItemOpening = inDialog.OnItemOpening;
    list.setCurrentItem(Item(list, QStringLiteral("a.txt")));
    TypeKey(list, Qt::Key_Return);
    EXPECT_EQ(opened, QStringList{"a.txt"});
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

TEST_F(ShellListTest, ANameEditedInPlaceRenamesTheFileAndACancelledEditKeepsIt) {
    QTreeWidgetItem *a = Item(list, QStringLiteral("a.txt"));
    list.setCurrentItem(a);
    ASSERT_TRUE(list.EditName(a));
    ASSERT_TRUE(EndNameEdit(list, QStringLiteral("never.txt"), false));
    EXPECT_TRUE(QFile::exists(Path("a.txt")));
    ASSERT_TRUE(list.EditName(a));
    ASSERT_TRUE(EndNameEdit(list, QStringLiteral("omega.txt"), true));
    EXPECT_TRUE(QFile::exists(Path("omega.txt")));
    EXPECT_FALSE(QFile::exists(Path("a.txt")));
    EXPECT_EQ(a->text(0), QStringLiteral("omega.txt"));
}

TEST_F(ShellListTest, TheChangeNotificationOfTheListsOwnRenameIsIgnored) {
    const auto notify = [this] {
        ChangeNotifyEvent event(ChangeNotifyEvent::ShellChangeType(), 0);
        QCoreApplication::sendEvent(&list.Watch(), &event);
    };
    ASSERT_TRUE(list.RenameItem(Item(list, QStringLiteral("a.txt")), QStringLiteral("c.txt")));
    notify();
    EXPECT_FALSE(list.RefreshScheduled());
    notify();
    EXPECT_TRUE(list.RefreshScheduled());
}

TEST_F(ShellListTest, AFolderThatKeepsChangingIsStillRefreshedSoonAfterTheFirstChange) {
    list.SetOptions(list.Options() | sloDynamicRefresh);
    list.Fill();
    Write("fresh.txt", 1);
    // A change every 100 ms, for at most 6 s; the refresh is due 2 s after the first change.
    bool shown = false;
    for (int round = 0; round < 60 && !shown; ++round) {
        if (round % 2 == 0)
            Write("churn.txt", 1);
        else
            ASSERT_TRUE(QFile::remove(Path("churn.txt")));
        QEventLoop loop;
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
        shown = Item(list, QStringLiteral("fresh.txt")) != nullptr;
    }
    EXPECT_TRUE(shown);
}

TEST_F(ShellListTest, DroppedFilesGoIntoTheFolderItemUnderThePointOrTheListsFolder) {
    QTemporaryDir source;
    ASSERT_TRUE(source.isValid());
    const auto dropAt = [&](const char *name, const QPoint &at) {
        QFile file(source.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file.fileName())});
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::ControlModifier);
        QApplication::sendEvent(list.viewport(), &enter);
        QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::ControlModifier);
        QApplication::sendEvent(list.viewport(), &move);
        QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::ControlModifier);
        QApplication::sendEvent(list.viewport(), &drop);
        EXPECT_TRUE(drop.isAccepted());
    };
    list.resize(400, 600);
    dropAt("into-beta.txt", list.visualItemRect(Item(list, QStringLiteral("beta"))).center());
    EXPECT_TRUE(QFile::exists(Path("beta/into-beta.txt")));
    dropAt("beside.txt", QPoint(5, list.viewport()->height() - 5));
    EXPECT_TRUE(QFile::exists(Path("beside.txt")));
    EXPECT_NE(Item(list, QStringLiteral("beside.txt")), nullptr);
}

TEST_F(ShellListTest, ComputerListsItsMountsWithoutSizeOrDate) {
    QByteArray computer;
    ASSERT_TRUE(SpecialFolderLocation(kCsidlDrives, computer));
    list.Folder().SetIdList(computer);
    const QTreeWidgetItem *root = Item(list, QStringLiteral("/"));
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->text(1).isEmpty());
    EXPECT_TRUE(root->text(3).isEmpty());
}

TEST_F(ShellListTest, AListStartsWithTheColumnWidthsOfTheLastListThatWent) {
    {
        TKxShellList first;
        first.setColumnWidth(0, 333);
        first.setColumnWidth(3, 44);
    }
    const TKxShellList second;
    EXPECT_EQ(second.columnWidth(0), 333);
    EXPECT_EQ(second.columnWidth(3), 44);
}

TEST_F(ShellListTest, ItsOwnDestructionDeletesTheItemsWithoutTheEvent) {
    int deleted = 0;
    {
        TKxShellList other;
        other.SetOptions(list.Options());
        other.Folder().SetPath(dir.path());
        other.OnDeleteItem = [&](QObject *, QTreeWidgetItem *, TKxShellListData *data) {
            EXPECT_NE(data, nullptr);
            ++deleted;
        };
        ASSERT_TRUE(QFile::remove(Path("a.txt")));
        other.Refresh();
        EXPECT_EQ(deleted, 1);
    }
    EXPECT_EQ(deleted, 1);
}

TEST_F(ShellListTest, ADeviceChangeRefillsTheListOfComputer) {
    QByteArray computer;
    ASSERT_TRUE(SpecialFolderLocation(kCsidlDrives, computer));
    list.Folder().SetIdList(computer);
    const int before = list.topLevelItemCount();
    desktop.SetMounts({LocalMount(QStringLiteral("/")), LocalMount(Path("beta"))});
    TKxDeviceChangeHandler::Instance().Dispatch(TKxDeviceChangeHandler::DeviceArrival);
    EXPECT_EQ(list.topLevelItemCount(), before + 1);
    EXPECT_NE(Item(list, Path("beta")), nullptr);
}

} // namespace
