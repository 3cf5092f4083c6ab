#include "controls/framework/controlservices.h"
#include "controls/shell/shelldata.h"
#include "controls/shell/shelllistitem.h"
#include "controls/shell/shellviewwatch.h"
#include "controls/shell/tkxshelllist.h"
#include "controls/shell/tkxshelltree.h"
#include "platform/changenotification.h"
#include "platform/nametext.h"
#include "tests/controls/support/shelltesting.h"

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMimeDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

// The shell views watching real folders under a temporary folder with real inotify: names
// that are not UTF-8, a shown folder removed, a file system mounted on a shown folder, many
// watched folders, watches the system refuses, and drops within and across file systems.

namespace {

// A Windows-1251 name ("Отчёт") and a Latin-1 one, neither of them UTF-8.
const QByteArray kCyrillicName("\xce\xf2\xf7\xb8\xf2", 5);
const QByteArray kLatinName("caf\xe9.txt", 8);

class TestList : public TKxShellList {
public:
    using TKxShellList::Watch;

    QStringList warnings;

protected:
    void ShowWarning(const QString &text) override { warnings << text; }
};

class TestTree : public TKxShellTree {
public:
    using TKxShellTree::WatchedFolders;

    QStringList warnings;

protected:
    void ShowWarning(const QString &text) override { warnings << text; }
};

QTreeWidgetItem *ItemNamed(const QTreeWidget &view, QTreeWidgetItem *parent, const QString &name) {
    const int count = parent != nullptr ? parent->childCount() : view.topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem *item = parent != nullptr ? parent->child(i) : view.topLevelItem(i);
        if (item->text(0) == name)
            return item;
    }
    return nullptr;
}

class ShellWatching : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_root = TextToName(m_dir.path());
        ASSERT_EQ(::chmod(m_root.constData(), 0755), 0);
        SetHandlerErrorReporter([this](const QString &text) { m_errors << text; });
    }
    void TearDown() override {
        for (const QByteArray &mount : m_mounts)
            ::umount2(mount.constData(), MNT_DETACH);
        SetHandlerErrorReporter([](const QString &message) {
            ADD_FAILURE() << "handler error: " << message.toStdString();
        });
        // QTemporaryDir cannot remove names that are not UTF-8; the paths here are raw bytes.
        std::error_code error;
        for (const auto &entry : std::filesystem::directory_iterator(m_root.toStdString(), error))
            std::filesystem::remove_all(entry.path(), error);
        EXPECT_FALSE(error) << error.message();
    }

    QByteArray path(const QByteArray &relative) const { return m_root + '/' + relative; }
    bool mkdir(const QByteArray &relative) const {
        return ::mkdir(path(relative).constData(), 0755) == 0;
    }
    bool exists(const QByteArray &relative) const {
        struct stat info {};
        return ::lstat(path(relative).constData(), &info) == 0;
    }
    // A tmpfs on the folder; false, with the reason in why, where this process may not mount.
    bool mountTmpfs(const QByteArray &relative, std::string &why) {
        if (::mount("tmpfs", path(relative).constData(), "tmpfs", 0, "size=1m") != 0) {
            why = std::strerror(errno);
            return false;
        }
        m_mounts << path(relative);
        return true;
    }

    QTemporaryDir m_dir;
    QByteArray m_root;
    ScopedDesktop m_desktop{m_dir.filePath(QStringLiteral("home")),
                            {LocalMount(QStringLiteral("/"))}};
    QList<QByteArray> m_mounts;
    QStringList m_errors;
};

TEST_F(ShellWatching, NamesThatAreNotUtf8ShowTheirDetailsAndAreWatched) {
    ASSERT_TRUE(mkdir(kCyrillicName));
    ASSERT_TRUE(WriteFile(path(kCyrillicName + '/' + kLatinName), QByteArray(1025, 'x')));
    TestList parent;
    parent.SetOptions(parent.Options() & ~sloDynamicRefresh);
    parent.Folder().SetPath(NameToText(m_root));
    ASSERT_EQ(parent.topLevelItemCount(), 1);
    TKxShellListData *folder = ShellDataOfItem(parent.topLevelItem(0));
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->DetailText(2),
              QMimeDatabase().mimeTypeForName(QStringLiteral("inode/directory")).comment());
    EXPECT_FALSE(folder->DetailText(3).isEmpty());

    TestList list;
    list.Folder().SetPath(NameToText(path(kCyrillicName)));
    ASSERT_EQ(list.topLevelItemCount(), 1);
    TKxShellListData *file = ShellDataOfItem(list.topLevelItem(0));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->DetailText(1), QStringLiteral("2KB"));
    EXPECT_FALSE(file->DetailText(3).isEmpty());
    EXPECT_EQ(list.Watch().Folders(), QList<QByteArray>{path(kCyrillicName)});
    ASSERT_TRUE(WriteFile(path(kCyrillicName + "/new"), "x"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return list.topLevelItemCount() == 2; }));
}

TEST_F(ShellWatching, AShownFolderThatIsRemovedMovesTheListToTheNearestFolderLeft) {
    ASSERT_TRUE(mkdir("a") && mkdir("a/b") && mkdir("a/b/c"));
    ASSERT_TRUE(WriteFile(path("a/b/c/file"), "x"));
    TestList watched;
    watched.Folder().SetPath(NameToText(path("a/b/c")));
    ASSERT_EQ(watched.topLevelItemCount(), 1);
    std::error_code error;
    std::filesystem::remove_all(path("a/b").toStdString(), error);
    ASSERT_FALSE(error) << error.message();
    EXPECT_TRUE(
        ProcessEventsUntil([&] { return watched.Folder().Path() == NameToText(path("a")); }));
    EXPECT_EQ(watched.topLevelItemCount(), 0);
    ProcessEventsUntil([&] { return !watched.warnings.isEmpty(); });
    ASSERT_EQ(watched.warnings.size(), 1);
    EXPECT_EQ(watched.warnings[0],
              QStringLiteral("The folder \"c\" no longer exists, so \"a\" is shown."));

    // F5 in a list that does not watch finds the folder gone too, and says so the same way.
    ASSERT_TRUE(mkdir("x") && mkdir("x/y"));
    TestList still;
    still.SetOptions(still.Options() & ~sloDynamicRefresh);
    still.Folder().SetPath(NameToText(path("x/y")));
    ASSERT_EQ(::rmdir(path("x/y").constData()), 0);
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QCoreApplication::sendEvent(&still, &f5);
    EXPECT_EQ(still.Folder().Path(), NameToText(path("x")));
    ProcessEventsUntil([&] { return !still.warnings.isEmpty(); });
    EXPECT_EQ(still.warnings,
              QStringList{QStringLiteral("The folder \"y\" no longer exists, so \"x\" is shown.")});
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join('\n').toStdString();
}

TEST_F(ShellWatching, AFolderThatMayNotBeLookedAtIsNotGone) {
    ASSERT_TRUE(mkdir("secret") && mkdir("secret/inner") && WriteFile(path("plain"), "x"));
    ASSERT_EQ(::chmod(path("secret").constData(), 0700), 0);
    const QByteArray inner = path("secret/inner");
    const QByteArray missing = path("missing");
    const QByteArray plain = path("plain");
    EXPECT_TRUE(PassesAsNobody(
        [&] { return !IsGoneFolder(inner) && IsGoneFolder(missing) && IsGoneFolder(plain); }));
}

TEST_F(ShellWatching, TwoHundredExpandedFoldersAreWatchedThroughOneInstance) {
    constexpr int kFolders = 200;
    for (int i = 0; i < kFolders; ++i) {
        const QByteArray name = "f" + QByteArray::number(1000 + i);
        ASSERT_TRUE(mkdir(name) && mkdir(name + "/inner"));
    }
    const int before = InotifyDescriptorCount();
    TestTree tree;
    tree.SetOptions(stoVirtualFolders | stoDynamicRefresh);
    tree.BaseFolder().SetPath(NameToText(m_root));
    tree.FillTree();
    QTreeWidgetItem *root = tree.topLevelItem(0);
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->childCount(), kFolders);
    for (int i = 0; i < kFolders; ++i)
        root->child(i)->setExpanded(true);
    EXPECT_EQ(tree.WatchedFolders().size(), kFolders + 1);
    EXPECT_EQ(InotifyDescriptorCount(), before + 1);
    QTreeWidgetItem *last = ItemNamed(tree, root, QStringLiteral("f1199"));
    ASSERT_NE(last, nullptr);
    ASSERT_TRUE(mkdir("f1199/made"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return last->childCount() == 2; }));
    EXPECT_TRUE(tree.warnings.isEmpty());
}

// A watch whose system refuses the folders named.
class RefusingWatch : public ShellViewWatch {
public:
    RefusingWatch(QList<QByteArray> refused, std::function<void()> refresh)
        : ShellViewWatch(nullptr, std::move(refresh), nullptr)
        , m_refused(std::move(refused)) {}

protected:
    int AddWatch(const QByteArray &folder, int filter) override {
        return m_refused.contains(folder) ? ENOSPC : ShellViewWatch::AddWatch(folder, filter);
    }

private:
    QList<QByteArray> m_refused;
};

TEST_F(ShellWatching, AFolderTheSystemWillNotWatchIsSaidOnceAndCheckedInstead) {
    ASSERT_TRUE(mkdir("refused") && mkdir("watched") && mkdir("also"));
    int refreshes = 0;
    RefusingWatch watch({path("refused"), path("also")}, [&] { ++refreshes; });
    QStringList notices;
    watch.OnNotice = [&](const QString &text) { notices << text; };
    watch.Watch({path("refused"), path("watched"), path("also")}, ChangeFileName);
    EXPECT_EQ(watch.PolledFolders(), (QList<QByteArray>{path("refused"), path("also")}));
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith(QStringLiteral("The system does not report changes in \"") +
                                      NameToText(path("refused"))))
        << notices[0].toStdString();
    EXPECT_TRUE(notices[0].contains(QString::fromLocal8Bit(std::strerror(ENOSPC))));
    ASSERT_TRUE(WriteFile(path("refused/new"), "x"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return refreshes == 1; }));
    // The watched one still comes through its watch.
    ASSERT_TRUE(WriteFile(path("watched/new"), "x"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return refreshes == 2; }));
    watch.Watch({path("also")}, ChangeFileName);
    EXPECT_EQ(notices.size(), 1);
}

TEST_F(ShellWatching, ATmpfsMountedOnAShownFolderIsPickedUp) {
    ASSERT_TRUE(mkdir("mnt") && mkdir("mnt/under"));
    TestList list;
    list.Folder().SetPath(NameToText(path("mnt")));
    ASSERT_EQ(list.topLevelItemCount(), 1);
    TestTree tree;
    tree.SetOptions(stoVirtualFolders | stoDynamicRefresh);
    tree.BaseFolder().SetPath(NameToText(m_root));
    tree.FillTree();
    QTreeWidgetItem *mnt = ItemNamed(tree, tree.topLevelItem(0), QStringLiteral("mnt"));
    ASSERT_NE(mnt, nullptr);
    mnt->setExpanded(true);
    ASSERT_EQ(mnt->childCount(), 1);
    std::string why;
    if (!mountTmpfs("mnt", why))
        GTEST_SKIP() << "no tmpfs can be mounted here (" << why << ")";
    // Both show the mounted file system, and watch it.
    EXPECT_TRUE(ProcessEventsUntil([&] { return list.topLevelItemCount() == 0; }));
    EXPECT_TRUE(ProcessEventsUntil([&] { return mnt->childCount() == 0; }));
    ASSERT_TRUE(mkdir("mnt/on-tmpfs"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return list.topLevelItemCount() == 1; }));
    EXPECT_TRUE(ProcessEventsUntil([&] { return mnt->childCount() == 1; }));
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join('\n').toStdString();
}

TEST(DropActions, WithinOneFileSystemMoveAcrossCopyShiftMovesCtrlCopies) {
    struct Case {
        const char *name;
        Qt::KeyboardModifiers modifiers;
        bool oneFileSystem;
        Qt::DropAction expected;
    };
    const Case cases[] = {
        {"plain, one file system", Qt::NoModifier, true, Qt::MoveAction},
        {"plain, across", Qt::NoModifier, false, Qt::CopyAction},
        {"Shift across", Qt::ShiftModifier, false, Qt::MoveAction},
        {"Ctrl within", Qt::ControlModifier, true, Qt::CopyAction},
        {"Ctrl+Shift", Qt::ControlModifier | Qt::ShiftModifier, true, Qt::LinkAction},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WantedDropAction(c.modifiers, c.oneFileSystem), c.expected);
    }
}

TEST_F(ShellWatching, ADropAcrossFileSystemsCopiesAndOneWithinMoves) {
    ASSERT_TRUE(mkdir("target") && mkdir("near") && mkdir("far"));
    std::string why;
    if (!mountTmpfs("far", why))
        GTEST_SKIP() << "no second file system can be mounted here (" << why << ")";
    TestTree tree;
    tree.SetOptions(stoVirtualFolders | stoOleDrop);
    tree.BaseFolder().SetPath(NameToText(m_root));
    tree.FillTree();
    tree.resize(300, 400);
    QTreeWidgetItem *target = ItemNamed(tree, tree.topLevelItem(0), QStringLiteral("target"));
    ASSERT_NE(target, nullptr);
    struct Case {
        QByteArray source;
        Qt::KeyboardModifiers modifiers;
        bool moved;
    };
    const Case cases[] = {
        {"far/" + kCyrillicName, Qt::NoModifier, false},
        {"near/" + kLatinName, Qt::NoModifier, true},
        {"far/shifted", Qt::ShiftModifier, true},
        {"near/held", Qt::ControlModifier, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source.toStdString());
        ASSERT_TRUE(WriteFile(path(c.source), "data"));
        QMimeData data;
        data.setData(QString::fromLatin1(kUriListMime), UriListOfPaths({path(c.source)}));
        const QPoint at = tree.visualItemRect(target).center();
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, c.modifiers);
        QApplication::sendEvent(tree.viewport(), &enter);
        QDragMoveEvent over(at, offered, &data, Qt::LeftButton, c.modifiers);
        QApplication::sendEvent(tree.viewport(), &over);
        EXPECT_TRUE(over.isAccepted());
        EXPECT_EQ(over.dropAction(), c.moved ? Qt::MoveAction : Qt::CopyAction);
        QDropEvent drop(at, offered, &data, Qt::LeftButton, c.modifiers);
        QApplication::sendEvent(tree.viewport(), &drop);
        EXPECT_TRUE(drop.isAccepted());
        const QByteArray name = c.source.mid(c.source.indexOf('/') + 1);
        EXPECT_TRUE(exists("target/" + name));
        EXPECT_EQ(exists(c.source), !c.moved);
    }
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join('\n').toStdString();
}

} // namespace
