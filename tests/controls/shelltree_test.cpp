#include "controls/tkxshelltree.h"

#include "controls/shelltreenode.h"
#include "controls/shellutils.h"
#include "controls/tkxshelltreedata.h"
#include "widgettesting.h"

#include <QApplication>
#include <QMouseEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A tree that records warning boxes and chooses menu entries instead of showing them.
class TestShellTree : public TKxShellTree {
public:
    using TKxShellTree::TKxShellTree;

    QStringList warnings;
    QString chooseVerb;
    QStringList menuVerbs;

    // Types the text into the running name edit and ends it, committing or cancelling. An
    // editor closed before is only hidden until the event loop deletes it, so the running one
    // is the editor that is not hidden.
    bool EndEdit(const QString &text, bool commit) {
        QLineEdit *editor = nullptr;
        for (QLineEdit *candidate : viewport()->findChildren<QLineEdit *>()) {
            if (!candidate->isHidden())
                editor = candidate;
        }
        if (editor == nullptr)
            return false;
        editor->setText(text);
        if (commit)
            commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        return true;
    }

protected:
    void ShowWarning(const QString &text) override { warnings << text; }
    QAction *TrackShellMenu(QMenu *menu, const QPoint &) override {
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            menuVerbs << action->data().toString();
            if (action->data().toString() == chooseVerb)
                chosen = action;
        }
        return chosen;
    }
};

// A right click shows a node's menu (the framed tree opens it on the press).
void RightClick(QTreeWidget &tree, const QPoint &pos) {
    const QPointF local(pos);
    const QPointF global(tree.viewport()->mapToGlobal(pos));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::RightButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &release);
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

// A folder tree on disk with the tree rooted at it; no change watching, filled on demand.
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
    RightClick(tree, tree.visualItemRect(beta).center());
    EXPECT_TRUE(tree.menuVerbs.contains(QStringLiteral("rename")));
    EXPECT_TRUE(tree.IsEditing());
}

TEST_F(ShellTreeTest, TheRootGetsNoShellMenu) {
    tree.FillTree();
    RightClick(tree, tree.visualItemRect(Root()).center());
    EXPECT_TRUE(tree.menuVerbs.isEmpty());
}

TEST_F(ShellTreeTest, F5RefreshesWithDefaultKeyHandling) {
    tree.FillTree();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("zeta")));
    TypeKey(tree, Qt::Key_F5);
    EXPECT_EQ(ChildTexts(Root()), (QStringList{"alpha", "beta", "gamma", "zeta"}));
}

} // namespace
