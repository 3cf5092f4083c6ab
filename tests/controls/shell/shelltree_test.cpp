#include "controls/shell/tkxshelltree.h"

#include "controls/framework/controlservices.h"
#include "controls/shell/changenotifyevent.h"
#include "controls/shell/shellviewwatch.h"
#include "controls/shell/shelltreenode.h"
#include "controls/shell/shellutils.h"
#include "controls/shell/tkxdevicechangehandler.h"
#include "controls/shell/tkxshelllist.h"
#include "controls/shell/tkxshelltreedata.h"
#include "tests/controls/support/shelltesting.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

// A tree that records warning boxes and chooses menu entries instead of showing them.
class TestShellTree : public TKxShellTree {
public:
    using TKxShellTree::RefreshScheduled;
    using TKxShellTree::SelectionScheduled;
    using TKxShellTree::TKxShellTree;
    using TKxShellTree::Watch;
    using TKxShellTree::WatchedFolders;

    QStringList warnings;
    QString chooseVerb;
    QStringList menuVerbs;

    bool EndEdit(const QString &text, bool commit) { return EndNameEdit(*this, text, commit); }

protected:
    void ShowWarning(const QString &text) override { warnings << text; }
    QAction *TrackShellMenu(QMenu *menu, const QPoint &) override {
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            menuVerbs << action->data().toString();
            if (action->data().toString() == chooseVerb)
                chosen = action;
        }
        if (chosen != nullptr)
            chosen->hover();
        return chosen;
    }
};

// Delivers a change notification to a control as its watching thread does.
// What the tree's change thread posts when a watched folder changes.
void NotifyChange(TestShellTree &tree) {
    ChangeNotifyEvent event(ChangeNotifyEvent::ShellChangeType(), 0);
    QCoreApplication::sendEvent(&tree.Watch(), &event);
}

QStringList ChildTexts(const QTreeWidgetItem *node) {
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i)
        texts << node->child(i)->text(0);
    return texts;
}

QTreeWidgetItem *Child(const QTreeWidgetItem *node, const QString &text) {
    for (int i = 0; i < node->childCount(); ++i) {
        if (node->child(i)->text(0) == text)
            return node->child(i);
    }
    return nullptr;
}

// A folder tree on disk with the tree rooted at it; no change watching, filled on demand. The
// namespace's Home is a test folder and Computer holds only the root mount.
class ShellTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const char *path : {"beta", "alpha/inner/deep", "gamma", ".hidden/secret"})
            ASSERT_TRUE(QDir(dir.path()).mkpath(QString::fromLatin1(path)));
        QFile file(Path("notes.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        tree.SetOptions(stoDefaultKeyHandling | stoContextMenus | stoVirtualFolders);
        tree.BaseFolder().SetPath(dir.path());
        ASSERT_FALSE(tree.BaseFolder().IdList().isNull());
    }

    QString Path(const char *relative) const {
        return dir.path() + QLatin1Char('/') + QString::fromLatin1(relative);
    }
    QTreeWidgetItem *Root() const { return tree.topLevelItem(0); }

    QTemporaryDir dir;
    ScopedDesktop desktop{dir.filePath(QStringLiteral("home")), {LocalMount(QStringLiteral("/"))}};
    TestShellTree tree;
};

TEST_F(ShellTreeTest, FillShowsTheBaseFolderAndItsSubfoldersInOrder) {
    tree.FillTree();
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(Root()->text(0), QDir(dir.path()).dirName());
    EXPECT_TRUE(Root()->isExpanded());
    EXPECT_EQ(ChildTexts(Root()), (QStringList{"alpha", "beta", "gamma"}));
    EXPECT_EQ(tree.currentItem(), Root());
    EXPECT_EQ(tree.SelectedFolderPath(), dir.path());
    EXPECT_EQ(tree.SelectionLocator().Path(), dir.path());
}

TEST_F(ShellTreeTest, OptionsChooseHiddenFoldersAndFiles) {
    struct Case {
        const char *name;
        TKxShellTreeOptions extra;
        QStringList expected;
    };
    const Case cases[] = {
        {"folders", 0, {"alpha", "beta", "gamma"}},
        {"hidden", stoShowHidden, {".hidden", "alpha", "beta", "gamma"}},
        {"files", stoIncludeNonFolders, {"alpha", "beta", "gamma", "notes.txt"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        tree.SetOptions(stoVirtualFolders | c.extra);
        tree.FillTree();
        EXPECT_EQ(ChildTexts(Root()), c.expected);
    }
}

TEST_F(ShellTreeTest, ChildrenAreEnumeratedWhenANodeExpands) {
    tree.FillTree();
    QTreeWidgetItem *alpha = Child(Root(), QStringLiteral("alpha"));
    QTreeWidgetItem *beta = Child(Root(), QStringLiteral("beta"));
    ASSERT_NE(alpha, nullptr);
    ASSERT_NE(beta, nullptr);
    EXPECT_EQ(alpha->childCount(), 0);
    EXPECT_EQ(alpha->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_NE(beta->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    alpha->setExpanded(true);
    EXPECT_EQ(ChildTexts(alpha), QStringList{"inner"});
}

TEST_F(ShellTreeTest, AFolderThatCannotBeListedKeepsItsButtonAndShowsNoChildren) {
    tree.FillTree();
    QTreeWidgetItem *alpha = Child(Root(), QStringLiteral("alpha"));
    ASSERT_TRUE(QDir(Path("alpha")).removeRecursively());
    alpha->setExpanded(true);
    EXPECT_EQ(alpha->childCount(), 0);
    EXPECT_EQ(alpha->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
}

TEST_F(ShellTreeTest, SelectionLocatorExpandsTheTreeToItsFolder) {
    tree.FillTree();
    tree.SelectionLocator().SetPath(Path("alpha/inner/deep"));
    QTreeWidgetItem *current = tree.currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->text(0), QStringLiteral("deep"));
    EXPECT_TRUE(current->parent()->isExpanded());
    EXPECT_EQ(current->parent()->parent()->text(0), QStringLiteral("alpha"));
    EXPECT_EQ(tree.SelectedFolderPath(), Path("alpha/inner/deep"));
}

TEST_F(ShellTreeTest, APathSetBeforeFillingIsSelectedByTheFill) {
    tree.SelectionLocator().SetPath(Path("alpha/inner"));
    tree.FillTree();
    EXPECT_EQ(tree.SelectedFolderPath(), Path("alpha/inner"));
}

TEST_F(ShellTreeTest, AHiddenFolderNamedByPathIsAddedAndSelected) {
    tree.FillTree();
    tree.SelectionLocator().SetPath(Path(".hidden/secret"));
    EXPECT_EQ(tree.SelectedFolderPath(), Path(".hidden/secret"));
    EXPECT_EQ(ChildTexts(Root()), (QStringList{".hidden", "alpha", "beta", "gamma"}));
}

TEST_F(ShellTreeTest, AFolderOutsideTheBaseSelectsTheBase) {
    tree.FillTree();
    tree.SelectionLocator().SetPath(QDir::rootPath());
    EXPECT_EQ(tree.currentItem(), Root());
}

TEST_F(ShellTreeTest, ClickingANodeSetsTheSelectionLocatorAndFiresOnChange) {
    tree.FillTree();
    QStringList changes;
    tree.OnChange = [&](QObject *, QTreeWidgetItem *node) {
        changes << (node != nullptr ? node->text(0) : QString());
    };
    tree.setCurrentItem(Child(Root(), QStringLiteral("gamma")));
    EXPECT_EQ(tree.SelectionLocator().Path(), Path("gamma"));
    EXPECT_EQ(changes, QStringList{"gamma"});
}

TEST_F(ShellTreeTest, RenameNeverReplacesAnExistingFolder) {
    tree.FillTree();
    QTreeWidgetItem *alpha = Child(Root(), QStringLiteral("alpha"));
    tree.setCurrentItem(alpha);
    EXPECT_THROW(tree.RenameNode(alpha, QStringLiteral("beta")), std::exception);
    EXPECT_TRUE(QDir(Path("alpha/inner")).exists());
    EXPECT_TRUE(QDir(Path("beta")).exists());
    EXPECT_FALSE(QDir(Path("beta/inner")).exists());
    EXPECT_EQ(alpha->text(0), QStringLiteral("alpha"));
    EXPECT_EQ(tree.SelectionLocator().Path(), Path("alpha"));
}

TEST_F(ShellTreeTest, RenameMovesTheNodeItsSubtreeAndTheSelection) {
    tree.FillTree();
    QTreeWidgetItem *alpha = Child(Root(), QStringLiteral("alpha"));
    alpha->setExpanded(true);
    tree.setCurrentItem(alpha);
    EXPECT_TRUE(tree.RenameNode(alpha, QStringLiteral("  delta ")));
    EXPECT_TRUE(QDir(Path("delta/inner")).exists());
    EXPECT_FALSE(QDir(Path("alpha")).exists());
    EXPECT_EQ(ChildTexts(Root()), (QStringList{"beta", "delta", "gamma"}));
    EXPECT_EQ(tree.SelectionLocator().Path(), Path("delta"));
    TKxShellTreeData *inner = ShellDataOf(alpha->child(0));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->PathText(), Path("delta/inner"));
}

TEST_F(ShellTreeTest, ANameEditedInPlaceRenamesTheFolderAndACancelledEditKeepsIt) {
    tree.FillTree();
    QTreeWidgetItem *gamma = Child(Root(), QStringLiteral("gamma"));
    tree.setCurrentItem(gamma);
    ASSERT_TRUE(tree.EditNodeName(gamma));
    ASSERT_TRUE(tree.EndEdit(QStringLiteral("never"), false));
    EXPECT_FALSE(QDir(Path("never")).exists());
    ASSERT_TRUE(tree.EditNodeName(gamma));
    ASSERT_TRUE(tree.EndEdit(QStringLiteral("omega"), true));
    EXPECT_TRUE(QDir(Path("omega")).exists());
    EXPECT_EQ(gamma->text(0), QStringLiteral("omega"));
    EXPECT_FALSE(tree.IsEditing());
}

TEST_F(ShellTreeTest, TheRootCannotBeRenamedAndReadOnlyRefusesEditing) {
    tree.FillTree();
    EXPECT_FALSE(tree.EditNodeName(Root()));
    tree.SetReadOnly(true);
    EXPECT_FALSE(tree.EditNodeName(Child(Root(), QStringLiteral("beta"))));
    tree.SetReadOnly(false);
    EXPECT_TRUE(tree.EditNodeName(Child(Root(), QStringLiteral("beta"))));
}

TEST_F(ShellTreeTest, RefreshAddsNewFoldersAndDropsGoneOnes) {
    tree.FillTree();
    tree.SelectionLocator().SetPath(Path("alpha/inner/deep"));
    ASSERT_TRUE(QDir(Path("alpha")).removeRecursively());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("aardvark")));
    tree.RefreshNodes();
    EXPECT_EQ(ChildTexts(Root()), (QStringList{"aardvark", "beta", "gamma"}));
    EXPECT_EQ(tree.currentItem(), Root());
    EXPECT_EQ(tree.SelectionLocator().Path(), dir.path());
}

TEST_F(ShellTreeTest, AddItemEventMayRefuseItems) {
    tree.OnAddItem = [](QObject *, ShellFolder *folder, const QByteArray &, const QByteArray &item,
                        ShellAttributes, bool &allow) {
        allow = DisplayNameOf(folder, item, ShellNameKind::InFolder) != QLatin1String("beta");
    };
    tree.FillTree();
    EXPECT_EQ(ChildTexts(Root()), (QStringList{"alpha", "gamma"}));
}

TEST_F(ShellTreeTest, DeleteItemEventFiresForEveryNodeThatGoes) {
    tree.FillTree();
    QStringList deleted;
    tree.OnDeleteItem = [&](QObject *, QTreeWidgetItem *node, TKxShellTreeData *data) {
        EXPECT_NE(data, nullptr);
        deleted << node->text(0);
    };
    ASSERT_TRUE(QDir(Path("gamma")).removeRecursively());
    tree.RefreshNodes();
    EXPECT_EQ(deleted, QStringList{"gamma"});
}

TEST_F(ShellTreeTest, CreateNewFolderTakesTheNextFreeNameAndStartsEditingIt) {
    tree.FillTree();
    EXPECT_TRUE(tree.CreateNewFolder());
    EXPECT_TRUE(QDir(Path("New Folder")).exists());
    EXPECT_TRUE(tree.IsEditing());
    EXPECT_TRUE(tree.EndEdit(QStringLiteral("New Folder"), false));
    tree.setCurrentItem(Root());
    EXPECT_TRUE(tree.CreateNewFolder());
    EXPECT_TRUE(QDir(Path("New Folder (2)")).exists());
    EXPECT_TRUE(tree.warnings.isEmpty());
    EXPECT_NE(Child(Root(), QStringLiteral("New Folder (2)")), nullptr);
}

TEST_F(ShellTreeTest, ContextMenuOffersTheShellVerbsAndRunsTheChosenOne) {
    tree.FillTree();
    QTreeWidgetItem *beta = Child(Root(), QStringLiteral("beta"));
    tree.setCurrentItem(beta);
    tree.chooseVerb = QStringLiteral("rename");
    QStringList hints;
    tree.OnPopupHint = [&](QObject *, const QString &hint) { hints << hint; };
    Click(tree, tree.visualItemRect(beta).center(), Qt::RightButton);
    EXPECT_TRUE(tree.menuVerbs.contains(QStringLiteral("rename")));
    EXPECT_EQ(hints, QStringList{"Gives the item a new name."});
    EXPECT_TRUE(tree.IsEditing());
}

TEST_F(ShellTreeTest, AFolderAtTheRootGetsTheShellMenuButTheDesktopNone) {
    tree.FillTree();
    Click(tree, tree.visualItemRect(Root()).center(), Qt::RightButton);
    EXPECT_TRUE(tree.menuVerbs.contains(QStringLiteral("copy")));
    tree.menuVerbs.clear();
    tree.BaseFolder().Clear();
    tree.FillTree();
    ASSERT_EQ(Root()->text(0), QStringLiteral("Desktop"));
    Click(tree, tree.visualItemRect(Root()).center(), Qt::RightButton);
    EXPECT_TRUE(tree.menuVerbs.isEmpty());
}

TEST_F(ShellTreeTest, F5RefreshesWithDefaultKeyHandling) {
    tree.FillTree();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("zeta")));
    TypeKey(tree, Qt::Key_F5);
    EXPECT_EQ(ChildTexts(Root()), (QStringList{"alpha", "beta", "gamma", "zeta"}));
}

TEST_F(ShellTreeTest, OnKeyDownSeesEachKeyOnceTheShortcutsFirstAndMaySwallowThem) {
    tree.FillTree();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("zeta")));
    QList<int> seen;
    tree.OnKeyDown = [&](QObject *, int &key, Qt::KeyboardModifiers) {
        seen << key;
        key = 0;
    };
    TypeKey(tree, Qt::Key_F5);
    EXPECT_EQ(seen, QList<int>{Qt::Key_F5});
    EXPECT_EQ(ChildTexts(Root()), (QStringList{"alpha", "beta", "gamma"}));
    tree.OnKeyDown = [&](QObject *, int &key, Qt::KeyboardModifiers) { seen << key; };
    TypeKey(tree, Qt::Key_F5);
    EXPECT_EQ(seen, (QList<int>{Qt::Key_F5, Qt::Key_F5}));
    EXPECT_EQ(ChildTexts(Root()), (QStringList{"alpha", "beta", "gamma", "zeta"}));
    // A key the shell leaves to the framed tree is seen once too.
    TypeKey(tree, Qt::Key_Down);
    EXPECT_EQ(seen, (QList<int>{Qt::Key_F5, Qt::Key_F5, Qt::Key_Down}));
}

TEST_F(ShellTreeTest, AnEmptyBaseFolderRootsTheTreeAtTheDesktopWhoseRootStaysPut) {
    tree.BaseFolder().Clear();
    tree.FillTree();
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(Root()->text(0), QStringLiteral("Desktop"));
    EXPECT_EQ(ChildTexts(Root()), (QStringList{"Home", "Computer"}));
    EXPECT_FALSE(tree.EditNodeName(Root()));
    EXPECT_EQ(tree.InvokeNodeVerb(Root(), QStringLiteral("delete")), 1);
    EXPECT_EQ(Root()->text(0), QStringLiteral("Desktop"));
}

TEST_F(ShellTreeTest, AChangeNotificationSchedulesARefresh) {
    tree.FillTree();
    NotifyChange(tree);
    EXPECT_TRUE(tree.RefreshScheduled());
}

TEST_F(ShellTreeTest, TheNotificationOfTheTreesOwnRenameOrNewFolderIsIgnored) {
    struct Case {
        const char *name;
        std::function<void(TestShellTree &)> change;
    };
    const Case cases[] = {
        {"rename",
         [](TestShellTree &shellTree) {
             QTreeWidgetItem *beta = Child(shellTree.topLevelItem(0), QStringLiteral("beta"));
             ASSERT_NE(beta, nullptr);
             ASSERT_TRUE(shellTree.RenameNode(beta, QStringLiteral("bravo")));
         }},
        {"new folder",
         [](TestShellTree &shellTree) {
             ASSERT_TRUE(shellTree.CreateNewFolder());
             ASSERT_TRUE(shellTree.EndEdit(QStringLiteral("New Folder"), false));
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TestShellTree shellTree;
        shellTree.SetOptions(tree.Options());
        shellTree.BaseFolder().SetPath(dir.path());
        shellTree.FillTree();
        c.change(shellTree);
        NotifyChange(shellTree);
        EXPECT_FALSE(shellTree.RefreshScheduled());
        NotifyChange(shellTree);
        EXPECT_TRUE(shellTree.RefreshScheduled());
    }
}

TEST_F(ShellTreeTest, DroppedFilesAreCopiedIntoTheNodeUnderThePoint) {
    tree.FillTree();
    QTemporaryDir source;
    ASSERT_TRUE(source.isValid());
    QFile file(source.filePath(QStringLiteral("report.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("data");
    file.close();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file.fileName())});
    QTreeWidgetItem *gamma = Child(Root(), QStringLiteral("gamma"));
    tree.SetOptions(tree.Options() | stoOleDrop);
    const QPoint at = tree.visualItemRect(gamma).center();
    const auto dropOnGamma = [&] {
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::ControlModifier);
        QApplication::sendEvent(tree.viewport(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::ControlModifier);
        QApplication::sendEvent(tree.viewport(), &move);
        EXPECT_TRUE(move.isAccepted());
        QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::ControlModifier);
        QApplication::sendEvent(tree.viewport(), &drop);
        return drop.isAccepted();
    };
    EXPECT_TRUE(dropOnGamma());
    EXPECT_TRUE(QFile::exists(Path("gamma/report.txt")));
    EXPECT_TRUE(QFile::exists(file.fileName()));
    // The same again finds the name taken: the error box names where it was dropped.
    QStringList reported;
    SetHandlerErrorReporter([&](const QString &message) { reported << message; });
    dropOnGamma();
    SetHandlerErrorReporter([](const QString &message) {
        ADD_FAILURE() << "handler error: " << message.toStdString();
    });
    EXPECT_EQ(reported, QStringList{"Unable to drop into 'gamma': an item of the same name is "
                                    "there already, and nothing is replaced."});
}

TEST_F(ShellTreeTest, CollapsingAFolderThatHoldsTheSelectionSelectsIt) {
    tree.FillTree();
    QList<QTreeWidgetItem *> changes;
    tree.OnChange = [&](QObject *, QTreeWidgetItem *node) { changes << node; };
    tree.SelectionLocator().SetPath(Path("alpha/inner/deep"));
    QTreeWidgetItem *alpha = Child(Root(), QStringLiteral("alpha"));
    ASSERT_NE(alpha, nullptr);
    ASSERT_EQ(tree.SelectedFolderPath(), Path("alpha/inner/deep"));
    changes.clear();
    alpha->setExpanded(false);
    // What is chosen is what is shown: a hidden folder is never the selection.
    EXPECT_EQ(tree.currentItem(), alpha);
    EXPECT_EQ(tree.SelectedFolderPath(), Path("alpha"));
    EXPECT_EQ(tree.SelectionLocator().Path(), Path("alpha"));
    EXPECT_EQ(changes, QList<QTreeWidgetItem *>{alpha});
    // Collapsing a folder beside the selection leaves it.
    QTreeWidgetItem *beta = Child(Root(), QStringLiteral("beta"));
    beta->setExpanded(true);
    beta->setExpanded(false);
    EXPECT_EQ(tree.currentItem(), alpha);
}

TEST_F(ShellTreeTest, ADeviceChangeRefreshesTheTree) {
    tree.BaseFolder().Clear();
    tree.FillTree();
    QTreeWidgetItem *computer = Child(Root(), QStringLiteral("Computer"));
    ASSERT_NE(computer, nullptr);
    computer->setExpanded(true);
    EXPECT_EQ(ChildTexts(computer), QStringList{"/"});
    desktop.SetMounts({LocalMount(QStringLiteral("/")), LocalMount(Path("gamma"))});
    TKxDeviceChangeHandler::Instance().Dispatch(TKxDeviceChangeHandler::DeviceArrival);
    EXPECT_EQ(ChildTexts(computer), (QStringList{"/", Path("gamma")}));
}

TEST_F(ShellTreeTest, CutOrCopyThenPasteMovesOrCopiesTheFolderIntoTheSelectedOne) {
    tree.FillTree();
    const auto press = [&](const char *node, int key) {
        tree.setCurrentItem(Child(Root(), QString::fromLatin1(node)));
        QKeyEvent event(QEvent::KeyPress, key, Qt::ControlModifier);
        QApplication::sendEvent(&tree, &event);
    };
    press("alpha", Qt::Key_X);
    press("beta", Qt::Key_V);
    EXPECT_TRUE(QDir(Path("beta/alpha/inner")).exists());
    EXPECT_FALSE(QDir(Path("alpha")).exists());
    EXPECT_EQ(ChildTexts(Root()), (QStringList{"beta", "gamma"}));
    // Cut files move once; the clipboard names them no more, and a paste says so.
    QStringList reported;
    SetHandlerErrorReporter([&](const QString &message) { reported << message; });
    press("gamma", Qt::Key_V);
    SetHandlerErrorReporter([](const QString &message) {
        ADD_FAILURE() << "handler error: " << message.toStdString();
    });
    EXPECT_FALSE(QDir(Path("gamma/alpha")).exists());
    EXPECT_EQ(reported, QStringList{"Nothing to paste into 'gamma': no files were cut or copied."});
    press("gamma", Qt::Key_C);
    press("beta", Qt::Key_V);
    EXPECT_TRUE(QDir(Path("beta/gamma")).exists());
    EXPECT_TRUE(QDir(Path("gamma")).exists());
}

// A tree with a linked list: the list shows the folder selected in the tree.
class LinkedShellTreeTest : public ShellTreeTest {
protected:
    void SetUp() override {
        ShellTreeTest::SetUp();
        list.SetOptions(list.Options() & ~(sloAutoFill | sloDynamicRefresh));
        tree.FillTree();
        tree.SetShellList(&list);
    }

    TKxShellList list;
};

TEST_F(LinkedShellTreeTest, TheListFollowsAClickAtOnceAndKeyboardStepsWhenTheyPause) {
    EXPECT_EQ(list.ShellTree(), &tree);
    EXPECT_EQ(list.Folder().Path(), dir.path());
    QTreeWidgetItem *alpha = Child(Root(), QStringLiteral("alpha"));
    const QPoint at = tree.visualItemRect(alpha).center();
    Click(tree, at, Qt::LeftButton);
    EXPECT_EQ(list.Folder().Path(), Path("alpha"));

    tree.setCurrentItem(Child(Root(), QStringLiteral("beta")));
    EXPECT_TRUE(tree.SelectionScheduled());
    EXPECT_EQ(list.Folder().Path(), Path("alpha"));
    // A change notified meanwhile waits beside it.
    NotifyChange(tree);
    EXPECT_TRUE(tree.RefreshScheduled());
    EXPECT_TRUE(tree.SelectionScheduled());
    tree.FillTree();
    EXPECT_FALSE(tree.SelectionScheduled());
    EXPECT_EQ(list.Folder().Path(), Path("beta"));
}

TEST_F(LinkedShellTreeTest, OpeningAndLeavingFoldersInTheListMovesTheTree) {
    QTreeWidgetItem *alpha = nullptr;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        if (list.topLevelItem(i)->text(0) == QLatin1String("alpha"))
            alpha = list.topLevelItem(i);
    }
    ASSERT_NE(alpha, nullptr);
    list.OpenItem(alpha);
    EXPECT_EQ(tree.SelectedFolderPath(), Path("alpha"));
    EXPECT_EQ(list.Folder().Path(), Path("alpha"));
    list.GoUp(1);
    EXPECT_EQ(tree.SelectedFolderPath(), dir.path());
    EXPECT_EQ(list.Folder().Path(), dir.path());
}

TEST_F(LinkedShellTreeTest, TheListCanLeaveOutTheFoldersThatTheTreeShows) {
    list.SetOptions(list.Options() | sloHideFoldersOfTree);
    list.Fill();
    QStringList captions;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        captions << list.topLevelItem(i)->text(0);
    EXPECT_EQ(captions, QStringList{"notes.txt"});
}

TEST_F(LinkedShellTreeTest, AListThatLeavesOutTheTreesFoldersHasTheSelectedFolderOpened) {
    struct Case {
        const char *name;
        TKxShellListOptions extra;
        bool expanded;
    };
    const Case cases[] = {
        {"list shows folders", 0, false},
        {"list leaves them to the tree", sloHideFoldersOfTree, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        list.SetOptions((list.Options() & ~sloHideFoldersOfTree) | c.extra);
        tree.FillTree();
        tree.SelectionLocator().SetPath(dir.filePath(QStringLiteral("alpha")));
        QTreeWidgetItem *alpha = tree.currentItem();
        ASSERT_NE(alpha, nullptr);
        EXPECT_EQ(alpha->text(0), QStringLiteral("alpha"));
        EXPECT_EQ(alpha->isExpanded(), c.expanded);
    }
}

TEST_F(LinkedShellTreeTest, EitherSideGoingUnlinksTheOther) {
    {
        TKxShellList other;
        other.SetOptions(other.Options() & ~(sloAutoFill | sloDynamicRefresh));
        other.SetShellTree(&tree);
        EXPECT_EQ(tree.ShellList(), &other);
        EXPECT_EQ(list.ShellTree(), nullptr);
    }
    EXPECT_EQ(tree.ShellList(), nullptr);
    auto second = std::make_unique<TestShellTree>();
    second->SetShellList(&list);
    second.reset();
    EXPECT_EQ(list.ShellTree(), nullptr);
}

// A tree that watches the folders it shows, rooted at a test folder.
class WatchingShellTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const char *path : {"alpha/inner", "busy"})
            ASSERT_TRUE(QDir(dir.path()).mkpath(QString::fromLatin1(path)));
        tree.SetOptions(stoVirtualFolders | stoDynamicRefresh);
        tree.BaseFolder().SetPath(dir.path());
    }

    QString Path(const char *relative) const {
        return dir.path() + QLatin1Char('/') + QString::fromLatin1(relative);
    }
    QTreeWidgetItem *Root() const { return tree.topLevelItem(0); }
    // The watches follow the nodes once the event loop has run.
    QStringList Watched() {
        QCoreApplication::processEvents();
        return tree.WatchedFolders();
    }

    QTemporaryDir dir;
    ScopedDesktop desktop{dir.filePath(QStringLiteral("home")), {LocalMount(dir.path())}};
    TestShellTree tree;
};

TEST_F(WatchingShellTreeTest, OnlyTheFoldersOfExpandedNodesAreWatched) {
    tree.FillTree();
    EXPECT_EQ(Watched(), QStringList{dir.path()});
    QTreeWidgetItem *alpha = Child(Root(), QStringLiteral("alpha"));
    ASSERT_NE(alpha, nullptr);
    alpha->setExpanded(true);
    EXPECT_EQ(Watched(), (QStringList{dir.path(), Path("alpha")}));
    alpha->setExpanded(false);
    EXPECT_EQ(Watched(), QStringList{dir.path()});
    // A folder made below a collapsed node is not watched for; one beside it is.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("newer")));
    EXPECT_TRUE(ProcessEventsUntil([this] { return tree.RefreshScheduled(); }));
}

TEST_F(WatchingShellTreeTest, ExpandingACollapsedNodeReadsItsFolderAgain) {
    tree.FillTree();
    QTreeWidgetItem *alpha = Child(Root(), QStringLiteral("alpha"));
    ASSERT_NE(alpha, nullptr);
    alpha->setExpanded(true);
    alpha->setExpanded(false);
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("alpha/outside")));
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("alpha/inner")));
    alpha->setExpanded(true);
    EXPECT_EQ(ChildTexts(alpha), QStringList{"outside"});
}

TEST_F(WatchingShellTreeTest, AFolderThatKeepsChangingDoesNotHoldOffTheRefreshOfAnother) {
    tree.FillTree();
    QTreeWidgetItem *busy = Child(Root(), QStringLiteral("busy"));
    ASSERT_NE(busy, nullptr);
    busy->setExpanded(true);
    ASSERT_EQ(Watched(), (QStringList{dir.path(), Path("busy")}));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("fresh")));
    // A change every 100 ms in the busy folder, for at most 6 s; the refresh is due 2 s after
    // the first change.
    QDir busyDir(Path("busy"));
    bool shown = false;
    for (int round = 0; round < 60 && !shown; ++round) {
        ASSERT_TRUE(round % 2 == 0 ? busyDir.mkdir(QStringLiteral("churn"))
                                   : busyDir.rmdir(QStringLiteral("churn")));
        QEventLoop loop;
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
        shown = Child(Root(), QStringLiteral("fresh")) != nullptr;
    }
    EXPECT_TRUE(shown);
}

} // namespace
