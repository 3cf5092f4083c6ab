#include "controls/framework/controlservices.h"
#include "controls/shell/newfolder.h"
#include "controls/shell/shelldata.h"
#include "controls/shell/shellutils.h"
#include "controls/shell/tkxshelltree.h"
#include "controls/shell/verbprompts.h"
#include "platform/nametext.h"
#include "platform/shelldirectoryfolder.h"
#include "platform/shellidlist.h"
#include "platform/shellverbs.h"
#include "tests/controls/support/shelltesting.h"
#include "tests/controls/support/widgettesting.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMimeData>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

// The shell namespace and views on real folders under a temporary directory, with names that
// are not UTF-8 and, where file modes matter, as an unprivileged user (tests run as root, which
// file modes do not stop).

namespace {

QByteArray Raw(const QString &path) {
    return TextToName(path);
}

QByteArray ReadFile(const QByteArray &path) {
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return "<missing>";
    QByteArray contents(4096, '\0');
    const ssize_t length = ::read(fd, contents.data(), contents.size());
    ::close(fd);
    return contents.left(qMax<ssize_t>(length, 0));
}

bool Exists(const QByteArray &path) {
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
}

// A Windows-1251 name ("Отчёт") and a Latin-1 one, neither of them UTF-8.
const QByteArray kCyrillicName("\xce\xf2\xf7\xb8\xf2", 5);
const QByteArray kLatinName("caf\xe9.txt", 8);

class ShellRealFolders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        // The unprivileged user must reach the folders below.
        ASSERT_EQ(::chmod(Raw(m_dir.path()).constData(), 0755), 0);
        m_root = Raw(m_dir.path());
    }
    void TearDown() override {
        // QTemporaryDir cannot remove names that are not UTF-8; the paths here are raw bytes.
        std::error_code error;
        for (const auto &entry : std::filesystem::directory_iterator(m_root.toStdString(), error))
            std::filesystem::remove_all(entry.path(), error);
        EXPECT_FALSE(error) << error.message();
    }

    QByteArray path(const QByteArray &relative) const { return m_root + '/' + relative; }
    bool mkdir(const QByteArray &relative, mode_t mode = 0755) const {
        return ::mkdir(path(relative).constData(), mode) == 0 &&
               ::chmod(path(relative).constData(), mode) == 0;
    }

    QTemporaryDir m_dir;
    QByteArray m_root;
};

TEST_F(ShellRealFolders, NamesThatAreNotUtf8AreListedAndNamedByTheirBytes) {
    ASSERT_TRUE(mkdir(kCyrillicName));
    ASSERT_TRUE(WriteFile(path(kLatinName), "x"));
    ShellDirectoryFolder folder(m_root);
    QList<QByteArray> items;
    ASSERT_EQ(folder.enumObjects(ShcontfFolders | ShcontfNonFolders, items), 0);
    QList<QByteArray> names;
    for (const QByteArray &item : items) {
        names << DecodeShellItem(item)->bytes;
        // The parsing name leads back to the same bytes.
        EXPECT_EQ(TextToName(folder.displayNameOf(item, ShellNameKind::ForParsing)),
                  path(DecodeShellItem(item)->bytes));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (QList<QByteArray>{kLatinName, kCyrillicName}));
    // Shown as this system's users wrote them, in Windows-1251.
    EXPECT_EQ(folder.displayNameOf(MakeEntryItem(kCyrillicName), ShellNameKind::InFolder),
              QStringLiteral(u"Отчёт"));
}

TEST_F(ShellRealFolders, AFolderCopiedOrMovedKeepsEveryNameAndContent) {
    for (const bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "copy");
        const QByteArray source = move ? "moved" : "copied";
        ASSERT_TRUE(mkdir(source));
        ASSERT_TRUE(mkdir(source + '/' + kCyrillicName));
        ASSERT_TRUE(WriteFile(path(source + '/' + kLatinName), "latin"));
        ASSERT_TRUE(WriteFile(path(source + '/' + kCyrillicName + '/' + kLatinName), "inner"));
        ASSERT_EQ(::symlink(kLatinName.constData(), path(source + "/link").constData()), 0);
        const QByteArray target = "target-" + source;
        ASSERT_TRUE(mkdir(target));
        // A copy into a folder on the same file system also goes through the raw copy: the
        // move's rename is tried first.
        ASSERT_EQ(TransferIntoFolder({path(source)}, path(target), move), 0);
        const QByteArray copy = path(target + '/' + source);
        EXPECT_EQ(ReadFile(copy + '/' + kLatinName), "latin");
        EXPECT_EQ(ReadFile(copy + '/' + kCyrillicName + '/' + kLatinName), "inner");
        EXPECT_EQ(ReadFile(copy + "/link"), "latin");
        EXPECT_EQ(Exists(path(source)), !move);
    }
}

TEST_F(ShellRealFolders, AnExistingNameIsNeverReplaced) {
    ASSERT_TRUE(mkdir("from") && mkdir("to"));
    ASSERT_TRUE(WriteFile(path("from/" + kLatinName), "new"));
    ASSERT_TRUE(WriteFile(path("to/" + kLatinName), "old"));
    EXPECT_EQ(TransferIntoFolder({path("from/" + kLatinName)}, path("to"), false), EEXIST);
    EXPECT_EQ(ReadFile(path("to/" + kLatinName)), "old");
}

TEST_F(ShellRealFolders, ANameThatIsNotUtf8IsDroppedByItsBytes) {
    ASSERT_TRUE(mkdir("drop") && mkdir("source"));
    ASSERT_TRUE(WriteFile(path("source/" + kCyrillicName), "dropped"));
    QByteArray parent;
    ScopedDesktop scoped(m_dir.path(), {LocalMount(QStringLiteral("/"))});
    ASSERT_EQ(PathToIdList(NameToText(path("source")), parent), 0);
    const std::unique_ptr<QMimeData> data(
        CreateShellMimeData(parent, {MakeEntryItem(kCyrillicName)}));
    EXPECT_EQ(DroppedPaths(*data), QList<QByteArray>{path("source/" + kCyrillicName)});
    // What another program receives as a file list names the same bytes.
    QMimeData foreign;
    foreign.setData(QString::fromLatin1(kUriListMime),
                    data->data(QString::fromLatin1(kUriListMime)));
    EXPECT_EQ(DroppedPaths(foreign), QList<QByteArray>{path("source/" + kCyrillicName)});
    ASSERT_EQ(TransferDrop(foreign, NameToText(path("drop")), Qt::CopyAction), 0);
    EXPECT_EQ(ReadFile(path("drop/" + kCyrillicName)), "dropped");
}

TEST_F(ShellRealFolders, DeleteMovesARawNameToTheTrashWithItsInfo) {
    ASSERT_TRUE(mkdir("data") && mkdir("share"));
    ASSERT_TRUE(WriteFile(path("data/" + kLatinName), "x"));
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", path("share"));
    ShellDirectoryFolder folder(path("data"));
    const int code = folder.invokeVerb({MakeEntryItem(kLatinName)}, QStringLiteral("delete"));
    qputenv("XDG_DATA_HOME", saved);
    ASSERT_EQ(code, 0);
    EXPECT_FALSE(Exists(path("data/" + kLatinName)));
    EXPECT_EQ(ReadFile(path("share/Trash/files/" + kLatinName)), "x");
    EXPECT_TRUE(
        ReadFile(path("share/Trash/info/" + kLatinName + ".trashinfo"))
            .contains("Path=" + UriListOfPaths({path("data/" + kLatinName)}).mid(7).trimmed()));
}

TEST_F(ShellRealFolders, SubfoldersAreKnownWithoutListingEveryFolder) {
    ASSERT_TRUE(mkdir("empty") && mkdir("full") && mkdir("full/inner"));
    ASSERT_TRUE(WriteFile(path("empty/file"), "x"));
    ShellDirectoryFolder folder(m_root);
    QList<QByteArray> items;
    ASSERT_EQ(folder.enumObjects(ShcontfFolders, items), 0);
    EXPECT_FALSE(folder.attributesOf(MakeEntryItem("empty"), SfgaoHasSubfolder) &
                 SfgaoHasSubfolder);
    EXPECT_TRUE(folder.attributesOf(MakeEntryItem("full"), SfgaoHasSubfolder) & SfgaoHasSubfolder);
}

TEST_F(ShellRealFolders, AnUnreadableFolderListsNothingAndSaysWhy) {
    ASSERT_TRUE(mkdir("secret", 0700) && mkdir("secret/inner"));
    const QByteArray secret = path("secret");
    EXPECT_TRUE(PassesAsNobody([&] {
        ShellDirectoryFolder folder(secret);
        QList<QByteArray> items;
        return folder.enumObjects(ShcontfFolders | ShcontfNonFolders, items) == EACCES &&
               items.isEmpty();
    }));
}

TEST_F(ShellRealFolders, AReadOnlyPlaceOffersNoChangeAndRefusesOneWithItsReason) {
    ASSERT_TRUE(mkdir("place"));
    ASSERT_TRUE(WriteFile(path("place/file"), "x", 0644));
    ASSERT_TRUE(mkdir("mine", 0777));
    ASSERT_EQ(::chmod(path("place").constData(), 0555), 0);
    const QByteArray place = path("place");
    const QByteArray mine = path("mine");
    EXPECT_TRUE(PassesAsNobody([&] {
        ShellDirectoryFolder folder(place);
        QList<QByteArray> items;
        if (folder.enumObjects(ShcontfNonFolders, items) != 0 || items.size() != 1)
            return false;
        const ShellAttributes attributes = folder.attributesOf(items[0], 0xFFFFFFFF);
        const bool readOnly = (attributes & SfgaoReadOnly) && !(attributes & SfgaoCanRename) &&
                              !(attributes & SfgaoCanDelete);
        bool offersChange = false;
        for (const ShellVerb &verb : folder.verbsOf(items))
            offersChange |= verb.verb == QLatin1String("delete") ||
                            verb.verb == QLatin1String("rename") ||
                            verb.verb == QLatin1String("cut");
        QByteArray renamed;
        const bool renameRefused =
            folder.setNameOf(items[0], QStringLiteral("other"), renamed) == EACCES;
        const bool copyRefused = TransferIntoFolder({mine}, place, false) == EACCES;
        const NewFolderResult created = CreateNewFolderIn(NameToText(place), MakeDirectory);
        const bool oneBox = created.name.isEmpty() && created.warnings.size() == 1 &&
                            created.warnings[0].contains(QString::fromLocal8Bit(strerror(EACCES)));
        // The user's own folder is writable by its modes.
        ShellDirectoryFolder root(mine + "/..");
        QList<QByteArray> folders;
        root.enumObjects(ShcontfFolders, folders);
        const bool mineWritable =
            !(root.attributesOf(MakeEntryItem("mine"), SfgaoReadOnly) & SfgaoReadOnly);
        return readOnly && !offersChange && renameRefused && copyRefused && oneBox && mineWritable;
    }));
}

TEST(VerbFailureText, TellsTheRealReason) {
    struct Case {
        const char *name;
        QString verb;
        QStringList names;
        int code;
        QString newName;
        QString text;
    };
    const std::vector<Case> cases = {
        {"rename onto an existing name",
         "rename",
         {"a.txt"},
         EEXIST,
         "b.txt",
         "Unable to rename 'a.txt' to 'b.txt': an item with that name already exists in this "
         "folder."},
        {"rename refused",
         "rename",
         {"a"},
         EACCES,
         "b",
         "Unable to rename 'a' to 'b'.\n\n" + QString::fromLocal8Bit(strerror(EACCES))},
        {"delete of several",
         "delete",
         {"a", "b", "c"},
         EROFS,
         {},
         "Unable to move these 3 items to the trash.\n\n" +
             QString::fromLocal8Bit(strerror(EROFS))},
        {"paste with nothing cut or copied",
         "paste",
         {"Docs"},
         ENODATA,
         {},
         "Nothing to paste into 'Docs': no files were cut or copied."},
        {"paste onto an existing name",
         "paste",
         {"Docs"},
         EEXIST,
         {},
         "Unable to paste into 'Docs': an item of the same name is there already, and nothing "
         "is replaced."},
        {"copy",
         "copy",
         {"x"},
         EIO,
         {},
         "Unable to copy 'x'.\n\n" + QString::fromLocal8Bit(strerror(EIO))},
        {"drop refused",
         "drop",
         {"Docs"},
         EACCES,
         {},
         "Unable to drop into 'Docs'.\n\n" + QString::fromLocal8Bit(strerror(EACCES))},
        {"a folder that cannot be read",
         "read",
         {"gone"},
         ENOENT,
         {},
         "Unable to read 'gone'.\n\n" + QString::fromLocal8Bit(strerror(ENOENT))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(VerbFailureText(c.verb, c.names, c.code, c.newName), c.text);
    }
}

// The tree on a real folder: Delete asks first; a refused answer leaves the folder, a failure
// reaches the error box with its reason.
class ShellTreeDelete : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("gone")));
        m_tree.SetOptions(stoDefaultKeyHandling | stoVirtualFolders);
        m_tree.BaseFolder().SetPath(m_dir.path());
        m_tree.FillTree();
        SetHandlerErrorReporter([this](const QString &text) { m_errors << text; });
        SetDeleteConfirmation([this](const QStringList &names) {
            m_asked << names;
            return m_answer;
        });
        qputenv("XDG_DATA_HOME", Raw(m_dir.filePath(QStringLiteral("share"))));
    }
    void TearDown() override {
        SetHandlerErrorReporter([](const QString &message) {
            ADD_FAILURE() << "handler error: " << message.toStdString();
        });
        SetDeleteConfirmation(nullptr);
        qunsetenv("XDG_DATA_HOME");
    }

    void pressDelete() {
        QTreeWidgetItem *root = m_tree.topLevelItem(0);
        ASSERT_NE(root, nullptr);
        QTreeWidgetItem *gone = nullptr;
        for (int i = 0; i < root->childCount(); ++i) {
            if (root->child(i)->text(0) == QLatin1String("gone"))
                gone = root->child(i);
        }
        ASSERT_NE(gone, nullptr);
        m_tree.setCurrentItem(gone);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
        QCoreApplication::sendEvent(&m_tree, &press);
    }

    QTemporaryDir m_dir;
    ScopedDesktop m_desktop{m_dir.filePath(QStringLiteral("home")),
                            {LocalMount(QStringLiteral("/"))}};
    TKxShellTree m_tree;
    QStringList m_errors;
    QStringList m_asked;
    bool m_answer = false;
};

TEST_F(ShellTreeDelete, AsksFirstAndKeepsTheFolderOnNo) {
    pressDelete();
    EXPECT_EQ(m_asked, QStringList{"gone"});
    EXPECT_TRUE(QDir(m_dir.filePath(QStringLiteral("gone"))).exists());
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(ShellTreeDelete, YesMovesTheFolderToTheTrash) {
    m_answer = true;
    pressDelete();
    EXPECT_FALSE(QDir(m_dir.filePath(QStringLiteral("gone"))).exists());
    EXPECT_TRUE(QDir(m_dir.filePath(QStringLiteral("share/Trash/files/gone"))).exists());
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join('\n').toStdString();
}

TEST_F(ShellTreeDelete, AFailedDeleteReachesTheErrorBoxWithItsReason) {
    m_answer = true;
    // The trash cannot be made: its place is a file.
    ASSERT_TRUE(WriteFile(Raw(m_dir.filePath(QStringLiteral("share"))), "x"));
    pressDelete();
    EXPECT_TRUE(QDir(m_dir.filePath(QStringLiteral("gone"))).exists());
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors[0].startsWith(QStringLiteral("Unable to move 'gone' to the trash.")))
        << m_errors[0].toStdString();
}

} // namespace
