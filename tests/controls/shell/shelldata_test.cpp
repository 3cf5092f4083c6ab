#include "controls/shell/shelldata.h"

#include "controls/shell/shellutils.h"
#include "controls/shell/tkxfilemaskfilter.h"
#include "controls/shell/tkxshellcombodata.h"
#include "controls/shell/tkxshelltreedata.h"
#include "tests/controls/support/shelltesting.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTreeWidget>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPixmap>
#include <QTemporaryDir>
#include <QUrl>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QByteArray Entry(const char *name) {
    return MakeEntryItem(QByteArray(name));
}

quint32 WordAt(const QByteArray &block, int index) {
    return qFromLittleEndian<quint32>(block.constData() + 4 * index);
}

TEST(IdListArray, HoldsTheCountTheOffsetsAndTheListsParentFirst) {
    const QByteArray parent = ConcatIdLists(MakeVirtualItem(VirtualFolder::Home), QByteArray());
    const QList<QByteArray> items = {Entry("a"), Entry("bb")};
    const QByteArray block = EncodeIdListArray(parent, items);
    ASSERT_GE(block.size(), 16);
    EXPECT_EQ(WordAt(block, 0), 2u);
    EXPECT_EQ(WordAt(block, 1), 16u);
    EXPECT_EQ(WordAt(block, 2), 16u + quint32(parent.size()));
    EXPECT_EQ(WordAt(block, 3), 16u + quint32(parent.size() + items[0].size()));
    EXPECT_EQ(block.mid(16, parent.size()), parent);
    QByteArray decodedParent;
    QList<QByteArray> decodedItems;
    ASSERT_TRUE(DecodeIdListArray(block, decodedParent, decodedItems));
    EXPECT_EQ(decodedParent, parent);
    EXPECT_EQ(decodedItems, items);
}

TEST(IdListArray, BlocksThatLeaveThemselvesAreRefused) {
    const QByteArray block = EncodeIdListArray(CopyIdList(QByteArray()), {Entry("a")});
    QByteArray badOffset = block;
    qToLittleEndian<quint32>(quint32(block.size()), badOffset.data() + 8);
    QByteArray hugeCount = block;
    qToLittleEndian<quint32>(0xFFFFFFFFu, hugeCount.data());
    struct Case {
        const char *name;
        QByteArray block;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"cut", block.left(block.size() - 1)},
        {"offset past the end", badOffset},
        {"count beyond the block", hugeCount},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray parent;
        QList<QByteArray> items;
        EXPECT_FALSE(DecodeIdListArray(c.block, parent, items));
        EXPECT_TRUE(items.isEmpty());
    }
}

TEST(DropActions, TheProposedActionWhenAllowedElseCopyMoveOrLink) {
    struct Case {
        const char *name;
        Qt::DropAction proposed;
        Qt::DropActions possible;
        ShellAttributes effects;
        Qt::DropAction expected;
    };
    const Qt::DropActions all = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    const Case cases[] = {
        {"move allowed", Qt::MoveAction, all, kDragEffectMask, Qt::MoveAction},
        {"move not shared", Qt::MoveAction, all, SfgaoCanCopy | SfgaoCanLink, Qt::CopyAction},
        {"only link", Qt::CopyAction, all, SfgaoCanLink, Qt::LinkAction},
        {"source cannot move", Qt::MoveAction, Qt::CopyAction, kDragEffectMask, Qt::CopyAction},
        {"nothing shared", Qt::CopyAction, all, 0, Qt::IgnoreAction},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChooseDropAction(c.proposed, c.possible, c.effects), c.expected);
    }
    EXPECT_EQ(DropActionsOf(SfgaoCanCopy | SfgaoCanLink), Qt::CopyAction | Qt::LinkAction);
}

TEST(ShellTexts, SizesInKilobytesRoundUp) {
    EXPECT_EQ(ShellSizeText(1025), QStringLiteral("2KB"));
    EXPECT_EQ(ShellSizeText(1024), QStringLiteral("1KB"));
    EXPECT_EQ(ShellSizeText(1), QStringLiteral("1KB"));
    EXPECT_EQ(ShellSizeText(0), QStringLiteral("0KB"));
}

TEST(ShellOverlays, SharedItemsAndLinksAreMarkedOthersKeepTheirIcon) {
    EXPECT_EQ(ShellOverlayOf(SfgaoShare | SfgaoLink), kShellOverlayShare);
    EXPECT_EQ(ShellOverlayOf(SfgaoLink | SfgaoFolder), kShellOverlayLink);
    EXPECT_EQ(ShellOverlayOf(SfgaoFolder | SfgaoHidden), kShellOverlayNone);

    QPixmap plain(16, 16);
    plain.fill(Qt::yellow);
    const QIcon icon(plain);
    EXPECT_EQ(WithShellOverlay(icon, kShellOverlayNone).cacheKey(), icon.cacheKey());
    const QImage link = WithShellOverlay(icon, kShellOverlayLink).pixmap(16, 16).toImage();
    const QImage share = WithShellOverlay(icon, kShellOverlayShare).pixmap(16, 16).toImage();
    // The mark sits in the lower left quarter; the rest stays as it was.
    EXPECT_NE(link.pixelColor(3, 12), QColor(Qt::yellow));
    EXPECT_NE(share.pixelColor(4, 14), QColor(Qt::yellow));
    EXPECT_EQ(link.pixelColor(12, 3), QColor(Qt::yellow));
    EXPECT_NE(link, share);
    EXPECT_FALSE(WithShellOverlay(QIcon(), kShellOverlayLink).isNull());
}

// Shell data over a namespace of test folders.
class ShellDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const char *folder : {"home/Docs/Inner", "home/Docs/sub.TXT"})
            ASSERT_TRUE(QDir().mkpath(dir.filePath(QString::fromLatin1(folder))));
        for (const char *file : {"home/Docs/a.txt", "home/Docs/B.TXT", "home/Docs/c.conf"}) {
            QFile out(dir.filePath(QString::fromLatin1(file)));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        }
    }

    QString Path(const char *relative) const { return dir.filePath(QString::fromLatin1(relative)); }

    QTemporaryDir dir;
    ScopedDesktop desktop{dir.filePath(QStringLiteral("home")), {LocalMount(QStringLiteral("/"))}};
};

TEST_F(ShellDataTest, DragDataCarriesTheIdListsAndTheFilesAndDropsReadThemBack) {
    QByteArray docs;
    ASSERT_EQ(PathToIdList(Path("home/Docs"), docs), 0);
    std::unique_ptr<QMimeData> data(CreateShellMimeData(docs, {Entry("a.txt"), Entry("Inner")}));
    EXPECT_EQ(data->urls(), (QList<QUrl>{QUrl::fromLocalFile(Path("home/Docs/a.txt")),
                                         QUrl::fromLocalFile(Path("home/Docs/Inner"))}));
    EXPECT_EQ(DroppedPaths(*data), (QList<QByteArray>{QFile::encodeName(Path("home/Docs/a.txt")),
                                                      QFile::encodeName(Path("home/Docs/Inner"))}));
    EXPECT_EQ(SharedDragEffects(*data) & SfgaoCanCopy, ShellAttributes(SfgaoCanCopy));

    QMimeData files;
    files.setUrls(
        {QUrl::fromLocalFile(Path("home/Docs/c.conf")), QUrl(QStringLiteral("http://x/"))});
    EXPECT_EQ(DroppedPaths(files), QList<QByteArray>{QFile::encodeName(Path("home/Docs/c.conf"))});
    EXPECT_EQ(SharedDragEffects(files), kDragEffectMask);
}

TEST_F(ShellDataTest, TheFileMaskFilterPassesPlainFilesThatAMaskFinds) {
    TKxFileMaskFilter filter;
    EXPECT_TRUE(filter.AddMask(Path("home/Docs/") + QStringLiteral("*.txt")));
    EXPECT_TRUE(filter.AddMask(Path("home/Docs/") + QStringLiteral("*.none")));
    EXPECT_FALSE(filter.AddMask(Path("missing/") + QStringLiteral("*.conf")));
    EXPECT_TRUE(filter.Passes(QStringLiteral("a.txt")));
    EXPECT_TRUE(filter.Passes(QStringLiteral("b.txt")));
    EXPECT_FALSE(filter.Passes(QStringLiteral("sub.TXT")));
    EXPECT_FALSE(filter.Passes(QStringLiteral("c.conf")));
}

TEST_F(ShellDataTest, ANodesListsAreBuiltOnceAndARenameRebuildsThemForItsSubtree) {
    QByteArray docs;
    ASSERT_EQ(PathToIdList(Path("home/Docs"), docs), 0);
    TKxShellTreeData root(nullptr, docs);
    TKxShellTreeData inner(&root, Entry("Inner"));
    const QByteArray &absolute = inner.AbsoluteIdList();
    EXPECT_EQ(&inner.AbsoluteIdList(), &absolute);
    EXPECT_EQ(inner.PathText(), Path("home/Docs/Inner"));
    ASSERT_NE(inner.ShellFolder(), nullptr);
    EXPECT_EQ(inner.ShellFolder(), inner.ShellFolder());
    EXPECT_TRUE(inner.CanRename());
    EXPECT_FALSE(root.CanRename());

    ASSERT_TRUE(QDir(Path("home/Docs")).rename(QStringLiteral("Inner"), QStringLiteral("Outer")));
    inner.ReplaceRelativeIdList(Entry("Outer"));
    EXPECT_EQ(inner.PathText(), Path("home/Docs/Outer"));
    TKxShellTreeData deep(&inner, Entry("x"));
    EXPECT_EQ(deep.PathText(), Path("home/Docs/Outer/x"));
}

TEST_F(ShellDataTest, AComboEntryKeepsItsListsAndBindsItsFolderOnce) {
    QByteArray docs;
    ASSERT_EQ(PathToIdList(Path("home/Docs"), docs), 0);
    ShellFolderPtr folder;
    ASSERT_EQ(FolderOfIdList(docs, folder), 0);
    TKxShellComboData inner(folder, docs, Entry("Inner"));
    EXPECT_EQ(inner.ParentFolder(), folder);
    EXPECT_EQ(IdListToPath(inner.AbsoluteIdList()), Path("home/Docs/Inner"));
    ASSERT_NE(inner.Folder(), nullptr);
    EXPECT_EQ(inner.Folder(), inner.Folder());
    TKxShellComboData file(folder, docs, Entry("a.txt"));
    EXPECT_EQ(file.Folder(), nullptr);
}

// Wheel notches over a view of 100 rows in a window that shows about ten.
TEST(ShellWheel, ANotchScrollsTheSystemsLinesAndABarWithoutRangeStaysPut) {
    QTreeWidget view;
    for (int i = 0; i < 100; ++i)
        view.addTopLevelItem(new QTreeWidgetItem(QStringList{QString::number(i)}));
    view.resize(150, 200);
    view.show();
    QCoreApplication::processEvents();
    QScrollBar *bar = view.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    const int lines = QApplication::wheelScrollLines();
    ASSERT_GT(lines, 0);
    EXPECT_TRUE(ScrollByWheel(view, Qt::Vertical, QAbstractSlider::SliderSingleStepAdd,
                              QAbstractSlider::SliderPageStepAdd));
    EXPECT_EQ(bar->value(), lines * bar->singleStep());
    EXPECT_TRUE(ScrollByWheel(view, Qt::Vertical, QAbstractSlider::SliderSingleStepSub,
                              QAbstractSlider::SliderPageStepSub));
    EXPECT_EQ(bar->value(), 0);
    EXPECT_FALSE(ScrollByWheel(view, Qt::Vertical, QAbstractSlider::SliderSingleStepSub,
                               QAbstractSlider::SliderPageStepSub))
        << "at the top nothing moves";
    ASSERT_EQ(view.horizontalScrollBar()->maximum(), 0);
    EXPECT_FALSE(ScrollByWheel(view, Qt::Horizontal, QAbstractSlider::SliderSingleStepAdd,
                               QAbstractSlider::SliderPageStepAdd));
}

} // namespace
