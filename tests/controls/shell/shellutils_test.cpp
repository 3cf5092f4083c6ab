#include "controls/shell/shellutils.h"

#include "controls/framework/controlservices.h"
#include "controls/shell/tkxdevicechangehandler.h"
#include "controls/shell/tkxidlistarray.h"
#include "controls/shell/tkxpidllist.h"
#include "platform/shelldesktopfolder.h"
#include "platform/shelldirectoryfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <stdexcept>

namespace {

QByteArray entry(const char *name) {
    return MakeEntryItem(QByteArray(name));
}

QByteArray listOf(std::initializer_list<QByteArray> elements) {
    QByteArray list = CopyIdList(QByteArray());
    for (const QByteArray &one : elements)
        list = ConcatIdLists(list, one);
    return list;
}

const QByteArray kHome = MakeVirtualItem(VirtualFolder::Home);
const QByteArray kComputer = MakeVirtualItem(VirtualFolder::Computer);

// The process desktop over a temporary tree: home/ with a few folders, and a mount beside it.
class ShellUtilsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        for (const char *folder : {"home/Docs/Inner", "home/music", "disk/data"})
            ASSERT_TRUE(QDir().mkpath(m_dir.filePath(folder)));
        QFile file(m_dir.filePath("home/notes.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        m_mounts = {{"/", "ext4", "/dev/sda1", "/"},
                    {QFile::encodeName(m_dir.filePath("disk")), "cifs", "//srv/share", "/"}};
        const QList<MountPoint> mounts = m_mounts;
        SetDesktopFolder(std::make_shared<ShellDesktopFolder>(
            ShellEnvironment{m_dir.filePath("home"), [mounts] { return mounts; }}));
    }

    void TearDown() override { SetDesktopFolder(nullptr); }

    QString path(const char *name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QList<MountPoint> m_mounts;
};

TEST_F(ShellUtilsTest, CompareIdListsTreatsMissingAndEmptyListsAsTheDesktop) {
    const QByteArray empty = CopyIdList(QByteArray());
    const QByteArray home = listOf({kHome});
    EXPECT_EQ(CompareIdLists(empty, empty), 0);
    EXPECT_EQ(CompareIdLists(QByteArray(), QByteArray()), 0);
    EXPECT_EQ(CompareIdLists(QByteArray(), empty), 0);
    EXPECT_EQ(CompareIdLists(empty, home), -1);
    EXPECT_EQ(CompareIdLists(home, empty), -1);
    EXPECT_EQ(CompareIdLists(home, QByteArray()), -1);
}

TEST_F(ShellUtilsTest, CompareIdListsDescendsThroughTheFolders) {
    const QByteArray docs = listOf({kHome, entry("Docs")});
    const QByteArray inner = listOf({kHome, entry("Docs"), entry("Inner")});
    EXPECT_EQ(CompareIdLists(docs, CopyIdList(docs)), 0);
    EXPECT_LT(CompareIdLists(docs, inner), 0);
    EXPECT_GT(CompareIdLists(inner, docs), 0);
    EXPECT_LT(CompareIdLists(listOf({kHome}), listOf({kComputer})), 0);
    // Below Home the directory's order decides: folders first, names ignoring case.
    EXPECT_LT(CompareIdLists(listOf({kHome, entry("music")}), listOf({kHome, entry("notes.txt")})),
              0);
    EXPECT_LT(CompareIdLists(docs, listOf({kHome, entry("music")})), 0);
}

TEST_F(ShellUtilsTest, PathsAndListsRoundTrip) {
    for (const char *name : {"home", "home/Docs/Inner", "home/notes.txt", "disk/data"}) {
        SCOPED_TRACE(name);
        QByteArray list;
        ASSERT_EQ(PathToIdList(path(name), list), 0);
        EXPECT_EQ(IdListToPath(list), path(name));
    }
    QByteArray list = "stale";
    EXPECT_EQ(PathToIdList(path("home/gone"), list), ENOENT);
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(PathToIdList("/" + QString(5000, 'a'), list), ENAMETOOLONG);
    EXPECT_TRUE(IdListToPath(QByteArray()).isEmpty());
    EXPECT_TRUE(IdListToPath(listOf({kComputer})).isEmpty());
}

TEST_F(ShellUtilsTest, FoldersAndDisplayNamesOfAbsoluteLists) {
    QByteArray list;
    ASSERT_EQ(PathToIdList(path("home/Docs/Inner"), list), 0);
    EXPECT_EQ(DisplayNameOfIdList(list), "Inner");
    EXPECT_EQ(DisplayNameOfIdList(CopyIdList(QByteArray())), "Desktop");
    EXPECT_EQ(DisplayNameOfIdList(listOf({kComputer})), "Computer");
    EXPECT_EQ(DisplayNameOf(nullptr, kHome, ShellNameKind::InFolder), "Home");

    ShellFolderPtr folder;
    ASSERT_EQ(FolderOfIdList(list, folder), 0);
    auto *directory = dynamic_cast<ShellDirectoryFolder *>(folder.get());
    ASSERT_NE(directory, nullptr);
    EXPECT_EQ(directory->path(), QFile::encodeName(path("home/Docs/Inner")));
    EXPECT_NE(FolderOfIdList(listOf({kHome, entry("notes.txt")}), folder), 0);
    EXPECT_EQ(folder, nullptr);
    ASSERT_EQ(FolderOfIdList(QByteArray(), folder), 0);
    EXPECT_EQ(folder, DesktopFolder());
}

TEST_F(ShellUtilsTest, SpecialFolders) {
    const std::vector<std::pair<QByteArray, int>> cases = {
        {CopyIdList(QByteArray()), kCsidlDesktop},
        {listOf({kComputer}), kCsidlDrives},
        {listOf({kHome}), kCsidlProfile},
        {listOf({kHome, entry("Docs")}), kCsidlNone},
    };
    for (const auto &[list, csidl] : cases) {
        SCOPED_TRACE(csidl);
        EXPECT_EQ(SpecialFolderOfIdList(list), csidl);
    }
    EXPECT_EQ(SpecialFolderPath(kCsidlProfile), path("home"));
    EXPECT_TRUE(SpecialFolderPath(kCsidlDrives).isEmpty());
    QByteArray list;
    EXPECT_FALSE(SpecialFolderLocation(5, list));
}

TEST_F(ShellUtilsTest, IconsOfVirtualFoldersFoldersAndFiles) {
    QByteArray docs, notes;
    ASSERT_EQ(PathToIdList(path("home/Docs"), docs), 0);
    ASSERT_EQ(PathToIdList(path("home/notes.txt"), notes), 0);
    for (const QByteArray &list :
         {CopyIdList(QByteArray()), listOf({kHome}), listOf({kComputer}), docs, notes}) {
        EXPECT_FALSE(IconOf(list, 0).isNull());
        EXPECT_FALSE(IconOf(list, kShellIconSmall | kShellIconOpen).isNull());
    }
    EXPECT_TRUE(IconOf(listOf({kHome, entry("gone")}), 0).isNull());
}

TEST_F(ShellUtilsTest, NetworkDriveTestLooksAtTheMountHoldingThePath) {
    QList<MountPoint> mounts = m_mounts;
    mounts.append({"/mnt/nfs", "nfs", "srv:/x", "/"});
    mounts.append({"/mnt/nfs/local", "ext4", "/dev/sdb1", "/"});
    mounts.append({"/mnt/ssh", "fuse.sshfs", "u@h:"});
    mounts.append({"/mnt/smb", "smb3", "//h/s"});
    const std::vector<std::pair<QString, bool>> cases = {
        {path("disk"), true}, {path("disk/data"), true},    {path("home"), false},
        {"/mnt/nfs/a", true}, {"/mnt/nfs/local/a", false},  {"/mnt/nfsx", false},
        {"/mnt/ssh", true},   {"/mnt/smb/deep/down", true}, {"/", false},
    };
    for (const auto &[text, network] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(IsNetworkDriveConnected(text, mounts), network);
    }
}

TEST(IdListArray, ElementsOfAThreeElementList) {
    const QByteArray a = entry("a"), b = entry("bb"), c = entry("ccc");
    const TKxIdListArray array(listOf({a, b, c}));
    ASSERT_EQ(array.ElementCount(), 3);
    EXPECT_EQ(array.ElementAt(0), a);
    EXPECT_EQ(array.ElementAt(1), b);
    EXPECT_EQ(array.ElementAt(2), c);
    EXPECT_TRUE(array.ElementAt(3).isNull());
    EXPECT_EQ(array.WithoutLast(1), listOf({a, b}));
    EXPECT_EQ(TKxIdListArray(QByteArray()).ElementCount(), 0);
    EXPECT_EQ(TKxIdListArray(CopyIdList(QByteArray())).ElementAt(0), CopyIdList(QByteArray()));
}

TEST(PidlList, SortedAddsKeepByteOrderAndFollowTheDuplicatesRule) {
    TKxPidlList list;
    list.SetSorted(true);
    list.SetDuplicates(TKxPidlList::dupIgnore);
    const int first = list.AddPidl(entry("m"));
    EXPECT_EQ(list.AddPidl(entry("m")), first);
    EXPECT_EQ(list.Count(), 1);
    list.AddPidl(entry("z"));
    list.AddPidl(entry("a"));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Pidl(0), entry("a"));
    EXPECT_EQ(list.Pidl(2), entry("z"));
    EXPECT_EQ(list.IndexOf(entry("z")), 2);
    EXPECT_EQ(list.IndexOf(entry("q")), -1);

    list.SetDuplicates(TKxPidlList::dupError);
    EXPECT_THROW(list.AddPidl(entry("a")), std::runtime_error);
    list.SetDuplicates(TKxPidlList::dupAccept);
    list.AddPidl(entry("a"));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Pidl(1), entry("a"));
    EXPECT_EQ(list.IndexOf(entry("a")), 0);
}

TEST(PidlList, UnsortedAddsAppendUntilSortingIsTurnedOn) {
    TKxPidlList list;
    int marker = 0;
    list.AddPidlWithObject(entry("c"), &marker);
    list.AddPidl(entry("a"));
    list.AddPidl(entry("c")); // no duplicate check while unsorted
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IndexOf(entry("c")), 0);
    list.SetSorted(true);
    EXPECT_EQ(list.Pidl(0), entry("a"));
    EXPECT_EQ(list.Object(1), &marker);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.Delete(5), std::out_of_range);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(PidlList, AShellFolderComparesInItsOwnOrder) {
    TKxPidlList list;
    list.SetShellFolder(std::make_shared<ShellDirectoryFolder>("/nonexistent-folder"));
    list.SetSorted(true);
    list.AddPidl(entry("b"));
    list.AddPidl(entry("A"));
    list.AddPidl(entry("C"));
    // By bytes "C" would come before "b"; the folder ignores case.
    EXPECT_EQ(list.Pidl(0), entry("A"));
    EXPECT_EQ(list.Pidl(1), entry("b"));
    EXPECT_EQ(list.Pidl(2), entry("C"));
}

TEST(ShellTexts, IncludeTrailingChar) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"C:", "C:\\"}, {"C:\\", "C:\\"}, {"", ""}, {"/home", "/home\\"}};
    for (const auto &[text, expected] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(IncludeTrailingChar(text, '\\'), expected);
    }
    EXPECT_EQ(IncludeTrailingChar("/home", '/'), "/home/");
}

TEST(ShellTexts, FormatStrPosFillsNumberedInserts) {
    EXPECT_EQ(FormatStrPos("Unable to create the folder '%2'\n\n%1", {"No space", "New Folder"}),
              "Unable to create the folder 'New Folder'\n\nNo space");
    EXPECT_EQ(FormatStrPos("100%% of %1, %3 kept", {"x"}), "100% of x, %3 kept");
    QStringList fifty;
    for (int i = 1; i <= 50; ++i)
        fifty.append(QString::number(i * 10));
    EXPECT_EQ(FormatStrPos("%1 %12 %50", fifty), "10 120 500");
    QStringList fiftyOne = fifty;
    fiftyOne.append("510");
    EXPECT_THROW(FormatStrPos("%1", fiftyOne), std::runtime_error);
    EXPECT_EQ(FormatStrPos("", fiftyOne), "");
}

TEST(DeviceChangeHandler, EveryListenerHearsTheChangeEvenAfterOneFails) {
    TKxDeviceChangeHandler &handler = TKxDeviceChangeHandler::Instance();
    QStringList heard;
    QStringList errors;
    SetHandlerErrorReporter([&](const QString &message) { errors.append(message); });
    int owners[3] = {};
    handler.Register(&owners[0], [&](TKxDeviceChangeHandler *sender,
                                     TKxDeviceChangeHandler::DeviceChange change) {
        EXPECT_EQ(sender, &handler);
        heard.append(QString::number(change, 16));
        throw std::runtime_error("listener failed");
    });
    handler.Register(&owners[1],
                     [&](TKxDeviceChangeHandler *, TKxDeviceChangeHandler::DeviceChange) {
                         heard.append("second");
                         handler.Unregister(&owners[2]);
                     });
    handler.Register(&owners[2],
                     [&](TKxDeviceChangeHandler *, TKxDeviceChangeHandler::DeviceChange) {
                         heard.append("third");
                     });
    handler.Dispatch(TKxDeviceChangeHandler::DeviceArrival);
    EXPECT_EQ(heard, (QStringList{"8000", "second"}));
    EXPECT_EQ(errors, QStringList{"listener failed"});

    handler.Unregister(&owners[0]);
    heard.clear();
    handler.Dispatch(TKxDeviceChangeHandler::DeviceRemoveComplete);
    EXPECT_EQ(heard, QStringList{"second"});
    handler.Unregister(&owners[1]);
    EXPECT_EQ(handler.ListenerCount(), 0);
    SetHandlerErrorReporter([](const QString &message) {
        ADD_FAILURE() << "handler error: " << message.toStdString();
    });
}

} // namespace
