#include "platform/changenotification.h"
#include "platform/fdwait.h"
#include "platform/mountinfo.h"
#include "platform/mountwatcher.h"
#include "platform/shellcomputerfolder.h"
#include "platform/shelldesktopfolder.h"
#include "platform/shellidlist.h"
#include "platform/wakeevent.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kBoundedWaitMs = 5000;

QByteArray element(const char *payload) {
    return MakeEntryItem(QByteArray(payload));
}

QByteArray listOf(std::initializer_list<QByteArray> elements) {
    QByteArray list = CopyIdList(QByteArray());
    for (const QByteArray &one : elements)
        list = ConcatIdLists(list, one);
    return list;
}

TEST(IdListFormat, ElementsCarryTheirSizeAndTheListEndsWithAZeroSize) {
    const QByteArray list = listOf({element("ab"), MakeVirtualItem(VirtualFolder::Computer)});
    // 2-byte size + kind + "ab", then 2-byte size + kind + folder id, then the terminator.
    const QByteArray expected("\x05\x00\x03"
                              "ab"
                              "\x04\x00\x01\x02"
                              "\x00\x00",
                              11);
    EXPECT_EQ(list, expected);
    EXPECT_EQ(IdListSize(list), 11);
    EXPECT_EQ(IdListSize(QByteArray()), 0);
    EXPECT_EQ(IdListSize(CopyIdList(QByteArray())), 2);
}

TEST(IdListFormat, SplitLastElementAndWithoutLastRoundTrip) {
    const QByteArray a = element("home"), b = element("x"), c = element("file.txt");
    const QByteArray list = listOf({a, b, c});
    ASSERT_EQ(IdListElementCount(list), 3);
    EXPECT_EQ(IdListElementAt(list, 0), a);
    EXPECT_EQ(IdListElementAt(list, 1), b);
    EXPECT_EQ(IdListElementAt(list, 2), c);
    EXPECT_TRUE(IdListElementAt(list, 3).isNull());
    EXPECT_TRUE(IdListElementAt(list, -1).isNull());
    EXPECT_EQ(LastIdListElement(list), c);
    EXPECT_EQ(IdListWithoutLast(list, 1), listOf({a, b}));
    EXPECT_EQ(IdListWithoutLast(list, 3), CopyIdList(QByteArray()));
    EXPECT_EQ(ConcatIdLists(IdListWithoutLast(list, 1), LastIdListElement(list)), list);
    EXPECT_EQ(CopyIdList(list), list);
}

TEST(IdListFormat, EmptyAndMissingListsDiffer) {
    const QByteArray empty = CopyIdList(QByteArray());
    EXPECT_TRUE(IsEmptyIdList(empty));
    EXPECT_FALSE(IsEmptyIdList(QByteArray()));
    EXPECT_EQ(IdListElementAt(empty, 0), empty);
    EXPECT_TRUE(IdListElementAt(QByteArray(), 0).isNull());
    EXPECT_EQ(LastIdListElement(empty), empty);
    EXPECT_EQ(ConcatIdLists(QByteArray(), empty), empty);
}

TEST(IdListFormat, MalformedElementsEndTheListWithoutReadingPastIt) {
    const QByteArray whole = element("abc");
    struct Case {
        const char *name;
        QByteArray bytes;
        int count;
    };
    const std::vector<Case> cases = {
        {"size past the end", whole.left(4), 0},
        {"size below the header", QByteArray("\x01\x00", 2), 0},
        {"whole element then a cut one", whole.left(whole.size() - 2) + QByteArray("\x09\x00", 2),
         1},
        {"no terminator", whole.left(whole.size() - 2), 1},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(IdListElementCount(test.bytes), test.count);
        EXPECT_EQ(IdListElementCount(CopyIdList(test.bytes)), test.count);
    }
}

TEST(IdListFormat, ItemsDecodeToWhatEncodedThem) {
    const auto home = DecodeShellItem(MakeVirtualItem(VirtualFolder::Home));
    ASSERT_TRUE(home);
    EXPECT_EQ(home->kind, ShellItemKind::Virtual);
    EXPECT_EQ(home->folder, VirtualFolder::Home);
    const auto mount = DecodeShellItem(MakeMountItem("/mnt/my disk"));
    ASSERT_TRUE(mount);
    EXPECT_EQ(mount->kind, ShellItemKind::Mount);
    EXPECT_EQ(mount->bytes, QByteArray("/mnt/my disk"));
    const QByteArray raw("caf\xe9", 4); // not UTF-8: the raw name survives
    const auto entry = DecodeShellItem(MakeEntryItem(raw));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->bytes, raw);
    EXPECT_FALSE(DecodeShellItem(CopyIdList(QByteArray())));
    EXPECT_FALSE(DecodeShellItem(QByteArray("\x04\x00\x09x\x00\x00", 6)));
    EXPECT_FALSE(DecodeShellItem(QByteArray("\x04\x00\x01\x07\x00\x00", 6)));
}

const char kMountInfoFixture[] =
    "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
    "23 22 0:5 / /proc rw,nosuid shared:2 - proc proc rw\n"
    "24 22 0:21 / /sys rw - sysfs sysfs rw\n"
    "30 22 8:17 / /media/usb\\040stick rw,relatime shared:7 master:3 - vfat /dev/sdb1 rw\n"
    "31 22 0:40 / /mnt/share rw - cifs //server/share\\040x rw\n"
    "32 22 0:41 / /mnt/nfs rw - nfs4 server:/export rw\n"
    "33 22 0:42 / /home/u/remote rw - fuse.sshfs u@host: rw\n"
    "garbage line without separator\n"
    "34 22 0:43 / /run/user/0 rw - tmpfs tmpfs rw\n"
    "35 22 0:44 / /mnt/share rw - ext4 /dev/sdc1 rw\n"
    "36 22 0:45 / /dev/pts rw - devpts devpts rw\n";

TEST(MountInfo, ParsesFieldsAndDecodesEscapedBlanks) {
    const QList<MountPoint> mounts = ParseMountInfo(kMountInfoFixture);
    ASSERT_EQ(mounts.size(), 10);
    EXPECT_EQ(mounts[0].mountPath, QByteArray("/"));
    EXPECT_EQ(mounts[0].fsType, "ext4");
    EXPECT_EQ(mounts[0].source, "/dev/sda1");
    EXPECT_EQ(mounts[3].mountPath, QByteArray("/media/usb stick"));
    EXPECT_EQ(mounts[3].fsType, "vfat"); // after two optional fields
    EXPECT_EQ(mounts[4].source, "//server/share x");
}

QList<QByteArray> pathsOf(const QList<MountPoint> &mounts) {
    QList<QByteArray> paths;
    for (const MountPoint &mount : mounts)
        paths.append(mount.mountPath);
    return paths;
}

TEST(MountInfo, BrowsableMountsAreTheDrivesSortedByPath) {
    const QList<MountPoint> mounts = BrowsableMounts(ParseMountInfo(kMountInfoFixture));
    EXPECT_EQ(pathsOf(mounts), (QList<QByteArray>{"/", "/home/u/remote", "/media/usb stick",
                                                  "/mnt/nfs", "/mnt/share"}));
    // The later mount on /mnt/share hides the cifs one.
    EXPECT_EQ(mounts[4].fsType, "ext4");
}

TEST(MountInfo, WhatAPersonCallsADrive) {
    struct Case {
        const char *name;
        QByteArray text;
        QList<QByteArray> paths;
    };
    const std::vector<Case> cases = {
        {"a chroot's table holds no entry for its root",
         "40 30 0:20 / /proc rw - proc proc rw\n"
         "41 30 8:2 / /data rw - ext4 /dev/sda2 rw\n",
         {"/", "/data"}},
        {"an empty or unreadable table", "", {"/"}},
        {"a container's root is an overlay and still listed",
         "50 40 0:50 / / rw - overlay overlay rw,lowerdir=/l\n"
         "51 50 0:51 / /var/lib/docker/overlay2/x/merged rw - overlay overlay rw\n",
         {"/"}},
        {"memory, image and snap mounts are no drives",
         "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
         "23 22 0:30 / /run rw - tmpfs tmpfs rw\n"
         "24 22 0:31 / /tmp rw - tmpfs tmpfs rw\n"
         "25 22 7:3 / /snap/core/123 ro - squashfs /dev/loop3 ro\n"
         "26 22 0:32 / /run/user/1000/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw\n"
         "27 22 0:33 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
         "28 22 0:34 / /mnt/ram rw - ramfs none rw\n",
         {"/"}},
        {"block devices, removable media and network shares sort by path",
         "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
         "23 22 8:2 / /boot/efi rw - vfat /dev/sda2 rw\n"
         "24 22 8:3 / /home rw - ext4 /dev/sda3 rw\n"
         "25 22 0:40 / /mnt/nas rw - nfs4 nas:/export rw\n"
         "26 22 0:41 / /run/media/u/CARD rw - exfat /dev/mmcblk0p1 rw\n"
         "27 22 0:42 / /a\\040b rw - ext4 /dev/sdb1 rw\n"
         "28 22 0:43 / /a/b rw - ext4 /dev/sdb2 rw\n",
         {"/", "/a/b", "/a b", "/boot/efi", "/home", "/mnt/nas", "/run/media/u/CARD"}},
        {"ip netns binds /run/netns onto itself and each namespace into it",
         "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
         "23 22 8:1 /run/netns /run/netns rw shared:5 - ext4 /dev/sda1 rw\n"
         "24 23 0:4 net:[4026532281] /run/netns/blue rw - nsfs nsfs rw\n"
         "25 22 8:1 /srv/data /home/u/data rw - ext4 /dev/sda1 rw\n",
         {"/", "/home/u/data"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pathsOf(BrowsableMounts(ParseMountInfo(c.text))), c.paths);
    }
}

TEST(MountInfo, AMountThatIsNoFolderIsNoDrive) {
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.filePath("disk"));
    const QByteArray file = QFile::encodeName(dir.filePath("hosts"));
    ASSERT_TRUE(QDir().mkdir(dir.filePath("disk")));
    QFile(dir.filePath("hosts")).open(QIODevice::WriteOnly);
    const QByteArray text = "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n23 22 8:1 /x " + folder +
                            " rw - ext4 /dev/sda1 rw\n24 22 8:1 /y " + file +
                            " rw - ext4 /dev/sda1 rw\n";
    EXPECT_EQ(pathsOf(BrowsableMountsOfText(text)), (QList<QByteArray>{"/", folder}));
    EXPECT_EQ(pathsOf(ReadMountPoints(dir.filePath("no such table"))), QList<QByteArray>{"/"});
}

TEST(MountInfo, NetworkFileSystems) {
    const std::vector<std::pair<const char *, bool>> cases = {
        {"nfs", true},   {"nfs4", true},       {"cifs", true},  {"smb3", true},
        {"sshfs", true}, {"fuse.sshfs", true}, {"ext4", false}, {"tmpfs", false},
        {"vfat", false}, {"fuse", false},      {"", false}};
    for (const auto &[type, network] : cases) {
        SCOPED_TRACE(type);
        EXPECT_EQ(IsNetworkFileSystem(QString::fromLatin1(type)), network);
    }
}

TEST(MountWatcher, ReportsAddedAndRemovedMounts) {
    QTemporaryDir dir;
    const QString path = dir.filePath("mountinfo");
    const QByteArray a = QFile::encodeName(dir.filePath("a"));
    const QByteArray b = QFile::encodeName(dir.filePath("b"));
    ASSERT_TRUE(QDir().mkdir(dir.filePath("a")) && QDir().mkdir(dir.filePath("b")));
    const auto write = [&](const QByteArray &text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    };
    write("22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
          "31 22 0:40 / " +
          a + " rw - ext4 /dev/sdb1 rw\n");
    MountWatcher watcher(path);
    EXPECT_EQ(pathsOf(watcher.mounts()), (QList<QByteArray>{"/", a}));
    QList<MountPoint> added, removed;
    int reports = 0;
    QObject::connect(&watcher, &MountWatcher::mountsChanged,
                     [&](const QList<MountPoint> &now, const QList<MountPoint> &gone) {
                         ++reports;
                         added = now;
                         removed = gone;
                     });
    watcher.check();
    EXPECT_EQ(reports, 0);
    write("22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
          "32 22 0:41 / " +
          b + " rw - nfs srv:/x rw\n");
    watcher.check();
    ASSERT_EQ(reports, 1);
    EXPECT_EQ(pathsOf(added), QList<QByteArray>{b});
    EXPECT_EQ(pathsOf(removed), QList<QByteArray>{a});
}

TEST(MountWatcher, AnUnreadableTableStillHoldsTheRoot) {
    QTemporaryDir dir;
    MountWatcher watcher(dir.filePath("missing"));
    int reports = 0;
    QObject::connect(&watcher, &MountWatcher::mountsChanged, [&] { ++reports; });
    watcher.check();
    EXPECT_EQ(pathsOf(watcher.mounts()), QList<QByteArray>{"/"});
    EXPECT_EQ(reports, 0);
}

TEST(ShellComputer, SortsMountsByPathNotByLength) {
    ShellComputerFolder computer(ShellEnvironment{QString(), [] { return QList<MountPoint>(); }});
    const QList<QByteArray> sorted = {"/", "/boot/efi", "/home", "/mnt/nas", "/run"};
    for (int i = 0; i + 1 < sorted.size(); ++i) {
        SCOPED_TRACE(sorted[i].constData());
        EXPECT_LT(computer.compareIds(0, MakeMountItem(sorted[i]), MakeMountItem(sorted[i + 1])),
                  0);
        EXPECT_GT(computer.compareIds(0, MakeMountItem(sorted[i + 1]), MakeMountItem(sorted[i])),
                  0);
        EXPECT_EQ(computer.compareIds(0, MakeMountItem(sorted[i]), MakeMountItem(sorted[i])), 0);
    }
}

// A namespace over a temporary tree: home/ with folders and files, and a mount mnt/ beside it.
class ShellNamespaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        for (const char *folder : {"home/Docs/Inner", "home/music", "home/.hidden", "mnt x/data"})
            ASSERT_TRUE(QDir().mkpath(m_dir.filePath(folder)));
        for (const char *file : {"home/notes.txt", "home/Docs/a.conf", "mnt x/data/f"})
            touch(file);
        const QList<MountPoint> mounts = {
            {"/", "ext4", "/dev/sda1", "/"},
            {QFile::encodeName(m_dir.filePath("mnt x")), "nfs", "srv:/x", "/"}};
        m_desktop = std::make_shared<ShellDesktopFolder>(
            ShellEnvironment{m_dir.filePath("home"), [mounts] { return mounts; }});
    }

    void touch(const char *name) const {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

    QString path(const char *name) const { return m_dir.filePath(name); }

    // The folder of an absolute list, bound element by element.
    ShellFolderPtr folderOf(const QByteArray &list) const {
        ShellFolderPtr folder = m_desktop;
        for (int i = 0; i < IdListElementCount(list) && folder; ++i) {
            ShellFolderPtr next;
            EXPECT_EQ(folder->bindToFolder(IdListElementAt(list, i), next), 0);
            folder = next;
        }
        return folder;
    }

    QStringList namesIn(const QByteArray &list, int flags) const {
        QList<QByteArray> items;
        const ShellFolderPtr folder = folderOf(list);
        EXPECT_EQ(folder->enumObjects(flags, items), 0);
        QStringList names;
        for (const QByteArray &item : items)
            names.append(folder->displayNameOf(item, ShellNameKind::InFolder));
        names.sort();
        return names;
    }

    QTemporaryDir m_dir;
    std::shared_ptr<ShellDesktopFolder> m_desktop;
};

TEST_F(ShellNamespaceTest, PathsUnderHomeParseThroughHome) {
    QByteArray list;
    ASSERT_EQ(m_desktop->parseDisplayName(path("home/Docs/Inner"), list), 0);
    EXPECT_EQ(list,
              listOf({MakeVirtualItem(VirtualFolder::Home), element("Docs"), element("Inner")}));
    ASSERT_EQ(m_desktop->parseDisplayName(path("home"), list), 0);
    EXPECT_EQ(list, listOf({MakeVirtualItem(VirtualFolder::Home)}));
}

TEST_F(ShellNamespaceTest, OtherPathsParseThroughTheLongestMount) {
    QByteArray list;
    ASSERT_EQ(m_desktop->parseDisplayName(path("mnt x/data/f"), list), 0);
    EXPECT_EQ(list, listOf({MakeVirtualItem(VirtualFolder::Computer),
                            MakeMountItem(QFile::encodeName(path("mnt x"))), element("data"),
                            element("f")}));
    ASSERT_EQ(m_desktop->parseDisplayName(path("mnt x/../home/music/.."), list), 0);
    EXPECT_EQ(IdListElementCount(list), 1); // cleaned to the home folder itself
}

TEST_F(ShellNamespaceTest, PathsThatNameNothingDoNotParse) {
    const std::vector<std::pair<QString, int>> cases = {
        {path("home/missing"), ENOENT},
        {path("nowhere/at/all"), ENOENT},
        {"relative/path", EINVAL},
        {"", EINVAL},
    };
    for (const auto &[text, error] : cases) {
        SCOPED_TRACE(text.toStdString());
        QByteArray list = "stale";
        EXPECT_EQ(m_desktop->parseDisplayName(text, list), error);
        EXPECT_TRUE(list.isEmpty());
    }
}

TEST_F(ShellNamespaceTest, DisplayNamesOfEachKind) {
    QByteArray list;
    ASSERT_EQ(m_desktop->parseDisplayName(path("home/Docs"), list), 0);
    const ShellFolderPtr home = folderOf(IdListWithoutLast(list, 1));
    const QByteArray docs = LastIdListElement(list);
    EXPECT_EQ(home->displayNameOf(docs, ShellNameKind::Normal), "Docs");
    EXPECT_EQ(home->displayNameOf(docs, ShellNameKind::InFolder), "Docs");
    EXPECT_EQ(home->displayNameOf(docs, ShellNameKind::ForEditing), "Docs");
    EXPECT_EQ(home->displayNameOf(docs, ShellNameKind::ForParsing), path("home/Docs"));

    const QByteArray homeItem = MakeVirtualItem(VirtualFolder::Home);
    const QByteArray computer = MakeVirtualItem(VirtualFolder::Computer);
    EXPECT_EQ(m_desktop->displayNameOf(CopyIdList(QByteArray()), ShellNameKind::Normal), "Desktop");
    EXPECT_EQ(m_desktop->displayNameOf(homeItem, ShellNameKind::InFolder), "Home");
    EXPECT_EQ(m_desktop->displayNameOf(homeItem, ShellNameKind::ForParsing), path("home"));
    EXPECT_EQ(m_desktop->displayNameOf(computer, ShellNameKind::InFolder), "Computer");
    EXPECT_TRUE(m_desktop->displayNameOf(computer, ShellNameKind::ForParsing).isEmpty());
}

TEST_F(ShellNamespaceTest, EnumerationFollowsTheFlags) {
    const QByteArray home = listOf({MakeVirtualItem(VirtualFolder::Home)});
    EXPECT_EQ(namesIn(home, ShcontfFolders), (QStringList{"Docs", "music"}));
    EXPECT_EQ(namesIn(home, ShcontfFolders | ShcontfIncludeHidden),
              (QStringList{".hidden", "Docs", "music"}));
    EXPECT_EQ(namesIn(home, ShcontfNonFolders), (QStringList{"notes.txt"}));
    EXPECT_EQ(namesIn(CopyIdList(QByteArray()), ShcontfFolders), (QStringList{"Computer", "Home"}));
    EXPECT_EQ(namesIn(listOf({MakeVirtualItem(VirtualFolder::Computer)}), ShcontfFolders),
              (QStringList{"/", path("mnt x")}));
}

TEST_F(ShellNamespaceTest, AttributesOfFoldersFilesAndHiddenEntries) {
    const ShellFolderPtr home = folderOf(listOf({MakeVirtualItem(VirtualFolder::Home)}));
    const ShellAttributes all = 0xFFFFFFFF;
    const ShellAttributes docs = home->attributesOf(element("Docs"), all);
    EXPECT_TRUE(docs & SfgaoFolder);
    EXPECT_TRUE(docs & SfgaoHasSubfolder);
    EXPECT_TRUE(docs & SfgaoFileSystem);
    EXPECT_FALSE(docs & SfgaoStream);
    EXPECT_FALSE(home->attributesOf(element("music"), all) & SfgaoHasSubfolder);
    const ShellAttributes notes = home->attributesOf(element("notes.txt"), all);
    EXPECT_FALSE(notes & SfgaoFolder);
    EXPECT_TRUE(notes & SfgaoStream);
    EXPECT_TRUE(home->attributesOf(element(".hidden"), all) & SfgaoHidden);
    // Only the asked bits come back; a missing entry has none.
    EXPECT_EQ(home->attributesOf(element("Docs"), SfgaoFolder), SfgaoFolder);
    EXPECT_EQ(home->attributesOf(element("gone"), all), 0u);
    EXPECT_FALSE(m_desktop->attributesOf(MakeVirtualItem(VirtualFolder::Computer), all) &
                 SfgaoFileSystem);
}

TEST_F(ShellNamespaceTest, FoldersSortBeforeFilesAndNamesIgnoreCase) {
    touch("home/Apple");
    touch("home/banana");
    const ShellFolderPtr home = folderOf(listOf({MakeVirtualItem(VirtualFolder::Home)}));
    EXPECT_LT(home->compareIds(0, element("music"), element("Apple")), 0);
    EXPECT_LT(home->compareIds(0, element("Apple"), element("banana")), 0);
    EXPECT_GT(home->compareIds(0, element("banana"), element("Apple")), 0);
    EXPECT_EQ(home->compareIds(0, element("Docs"), element("Docs")), 0);
    EXPECT_LT(m_desktop->compareIds(0, MakeVirtualItem(VirtualFolder::Home),
                                    MakeVirtualItem(VirtualFolder::Computer)),
              0);
}

TEST_F(ShellNamespaceTest, RenameNeverReplacesAnExistingName) {
    const ShellFolderPtr home = folderOf(listOf({MakeVirtualItem(VirtualFolder::Home)}));
    QByteArray renamed;
    EXPECT_EQ(home->setNameOf(element("notes.txt"), "Docs", renamed), EEXIST);
    EXPECT_TRUE(renamed.isEmpty());
    EXPECT_TRUE(QFileInfo(path("home/notes.txt")).isFile());
    EXPECT_TRUE(QFileInfo(path("home/Docs/a.conf")).isFile());

    touch("home/other.txt");
    EXPECT_EQ(home->setNameOf(element("notes.txt"), "other.txt", renamed), EEXIST);
    EXPECT_TRUE(QFileInfo(path("home/notes.txt")).exists());

    ASSERT_EQ(home->setNameOf(element("notes.txt"), "renamed.txt", renamed), 0);
    EXPECT_EQ(renamed, element("renamed.txt"));
    EXPECT_FALSE(QFileInfo(path("home/notes.txt")).exists());
    EXPECT_TRUE(QFileInfo(path("home/renamed.txt")).isFile());
}

TEST_F(ShellNamespaceTest, RenameRefusesNamesThatLeaveTheFolder) {
    const ShellFolderPtr home = folderOf(listOf({MakeVirtualItem(VirtualFolder::Home)}));
    for (const char *name : {"", ".", "..", "a/b", "../escaped"}) {
        SCOPED_TRACE(name);
        QByteArray renamed;
        EXPECT_EQ(home->setNameOf(element("music"), name, renamed), EINVAL);
    }
    QByteArray renamed;
    EXPECT_EQ(home->setNameOf(element("music"), QString(300, 'n'), renamed), ENAMETOOLONG);
    EXPECT_EQ(home->setNameOf(element("../home"), "x", renamed), EINVAL);
    EXPECT_EQ(m_desktop->setNameOf(MakeVirtualItem(VirtualFolder::Home), "x", renamed), EPERM);
    EXPECT_TRUE(QFileInfo(path("home/music")).isDir());
}

TEST(WakeEvent, WakesAWaitUntilConsumed) {
    WakeEvent wake;
    ASSERT_TRUE(wake.isValid());
    EXPECT_EQ(WaitForReadable({wake.fd()}, 0), -1);
    wake.signal();
    EXPECT_EQ(WaitForReadable({wake.fd()}, kBoundedWaitMs), 0);
    EXPECT_TRUE(wake.consume());
    EXPECT_FALSE(wake.consume());
    EXPECT_EQ(WaitForReadable({wake.fd()}, 0), -1);
}

class ChangeNotificationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath("sub/deeper")));
    }

    void touch(const QString &name) const {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // The raw path of a name in the folder; the folder itself for an empty one.
    QByteArray raw(const QByteArray &name) const {
        const QByteArray folder = QFile::encodeName(m_dir.path());
        return name.isEmpty() ? folder : folder + '/' + name;
    }

    QTemporaryDir m_dir;
};

// The folder numbers with news in one read, as (folder, count) pairs in folder order; the
// counts of a folder that went are -1.
QList<QPair<int, int>> ReadAll(ChangeNotification &watch) {
    const QHash<int, int> changes = watch.ReadChanges();
    QList<QPair<int, int>> sorted;
    for (auto change = changes.cbegin(); change != changes.cend(); ++change)
        sorted << qMakePair(change.key(), change.value());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

TEST_F(ChangeNotificationTest, ReportsAFileCreatedInTheFolder) {
    auto watch = ChangeNotification::Open();
    ASSERT_TRUE(watch);
    ASSERT_EQ(watch->AddFolder(raw(""), false, ChangeFileName | ChangeDirName), 0);
    EXPECT_EQ(WaitForReadable({watch->fd()}, 0), -1);
    touch("new.txt");
    ASSERT_EQ(WaitForReadable({watch->fd()}, kBoundedWaitMs), 0);
    const QList<QPair<int, int>> changes = ReadAll(*watch);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0].first, 0);
    EXPECT_GE(changes[0].second, 1);
    EXPECT_EQ(WaitForReadable({watch->fd()}, 0), -1);
}

TEST_F(ChangeNotificationTest, SubtreeWatchesReachDeeperFoldersAndNewOnes) {
    auto watch = ChangeNotification::Open();
    ASSERT_TRUE(watch);
    const int flat = watch->AddFolder(raw(""), false, ChangeFileName);
    const int tree = watch->AddFolder(raw(""), true, ChangeFileName | ChangeDirName);
    ASSERT_EQ(flat, 0);
    ASSERT_EQ(tree, 1);
    // The two share the folder's own watch.
    EXPECT_EQ(watch->watchCount(), 3);
    touch("sub/deeper/f");
    ASSERT_EQ(WaitForReadable({watch->fd()}, kBoundedWaitMs), 0);
    QList<QPair<int, int>> changes = ReadAll(*watch);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0].first, tree);

    ASSERT_TRUE(QDir().mkdir(m_dir.filePath("sub/made")));
    ASSERT_EQ(WaitForReadable({watch->fd()}, kBoundedWaitMs), 0);
    changes = ReadAll(*watch);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0].first, tree);
    EXPECT_EQ(watch->watchCount(), 4);
    touch("sub/made/g");
    ASSERT_EQ(WaitForReadable({watch->fd()}, kBoundedWaitMs), 0);
    EXPECT_EQ(ReadAll(*watch).size(), 1);
}

TEST_F(ChangeNotificationTest, TheFilterDecidesWhatCounts) {
    auto watch = ChangeNotification::Open();
    ASSERT_TRUE(watch);
    ASSERT_EQ(watch->AddFolder(raw(""), false, ChangeDirName), 0);
    touch("file-only");
    ASSERT_EQ(WaitForReadable({watch->fd()}, kBoundedWaitMs), 0);
    EXPECT_TRUE(ReadAll(*watch).isEmpty());
}

TEST_F(ChangeNotificationTest, AFolderThatGoesIsReportedAndItsNumberFreed) {
    auto watch = ChangeNotification::Open();
    ASSERT_TRUE(watch);
    ASSERT_EQ(watch->AddFolder(raw(""), false, ChangeDirName), 0);
    ASSERT_EQ(watch->AddFolder(raw("sub"), false, ChangeDirName), 1);
    ASSERT_TRUE(QDir(m_dir.filePath("sub")).removeRecursively());
    bool gone = false;
    // The deletion of the inner folder may come in an earlier read than the folder's own end.
    while (!gone && WaitForReadable({watch->fd()}, kBoundedWaitMs) == 0) {
        for (const auto &[folder, count] : ReadAll(*watch)) {
            if (folder == 1 && count == -1)
                gone = true;
        }
    }
    EXPECT_TRUE(gone);
    EXPECT_EQ(watch->folderCount(), 1);
    ASSERT_TRUE(QDir().mkdir(m_dir.filePath("again")));
    EXPECT_EQ(watch->AddFolder(raw("again"), false, ChangeDirName), 1);
}

TEST_F(ChangeNotificationTest, TwoHundredFoldersOnOneInstanceAndNamesThatAreNotUtf8) {
    auto watch = ChangeNotification::Open();
    ASSERT_TRUE(watch);
    constexpr int kFolders = 200;
    for (int i = 0; i < kFolders; ++i) {
        // Every other folder has a Windows-1251 name.
        const QByteArray name =
            (i % 2 ? QByteArray("\xcf\xe0\xef\xea\xe0") : QByteArray("f")) + QByteArray::number(i);
        ASSERT_EQ(::mkdir(raw(name).constData(), 0755), 0);
        ASSERT_EQ(watch->AddFolder(raw(name), false, ChangeFileName), i);
    }
    EXPECT_EQ(watch->watchCount(), kFolders);
    const QByteArray last =
        raw(QByteArray("\xcf\xe0\xef\xea\xe0") + QByteArray::number(kFolders - 1) + "/new");
    const int fd = ::open(last.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    ASSERT_EQ(WaitForReadable({watch->fd()}, kBoundedWaitMs), 0);
    const QList<QPair<int, int>> changes = ReadAll(*watch);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0].first, kFolders - 1);
    // QTemporaryDir cannot remove names that are not UTF-8.
    ASSERT_EQ(::unlink(last.constData()), 0);
    for (int i = 1; i < kFolders; i += 2)
        ASSERT_EQ(::rmdir(raw("\xcf\xe0\xef\xea\xe0" + QByteArray::number(i)).constData()), 0);
}

TEST_F(ChangeNotificationTest, PathsThatCannotBeWatched) {
    touch("plain");
    auto watch = ChangeNotification::Open();
    ASSERT_TRUE(watch);
    EXPECT_EQ(watch->AddFolder("", false, ChangeFileName), -ENOENT);
    EXPECT_EQ(watch->AddFolder(raw("missing"), false, ChangeFileName), -ENOENT);
    EXPECT_EQ(watch->AddFolder(raw("plain"), false, ChangeFileName), -ENOTDIR);
    EXPECT_EQ(watch->folderCount(), 0);
}

} // namespace
