#include "console/windows/networktree.h"

#include "console/link/consoletables.h"
#include "console/link/globals.h"
#include "console/link/nullconsoleviews.h"
#include "console/link/rings.h"
#include "console/windows/linknotice.h"
#include "console/windows/networktreehost.h"
#include "console/windows/networktreetext.h"
#include "tests/console/windows/windowtesting.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <memory>

namespace {

// Big-endian bytes of 16-bit words.
QByteArray wireBytes(std::initializer_list<int> words) {
    QByteArray bytes;
    for (const int word : words) {
        const auto w = static_cast<uint16_t>(word);
        bytes.append(static_cast<char>(w >> 8));
        bytes.append(static_cast<char>(w & 0xff));
    }
    return bytes;
}

QIcon colourIcon(Qt::GlobalColor colour) {
    QPixmap pixmap(8, 8);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

bool sameIcon(const QIcon &a, const QIcon &b) {
    return a.cacheKey() == b.cacheKey();
}

class FakeHost : public NetworkTreeHost {
public:
    int slotAlarmMark(int rack, int slot) const override { return alarmMarks[rack][slot]; }
    bool isSlotButtonEnabled(int rack, int slot) const override { return enabled[rack][slot]; }
    void setRackButton(int rack, const QString &ipText, int treeRow) override {
        record(QStringLiteral("setRackButton(%1,%2,%3)").arg(rack).arg(ipText).arg(treeRow));
    }
    void clickSlotButton(int rack, int slot) override {
        record(QStringLiteral("clickSlotButton(%1,%2)").arg(rack).arg(slot));
    }
    void hideSelectionFrame(int pane) override {
        record(QStringLiteral("hideSelectionFrame(%1)").arg(pane));
    }
    void placeSelectionFrame(int pane, int rack, int slot) override {
        record(QStringLiteral("placeSelectionFrame(%1,%2,%3)").arg(pane).arg(rack).arg(slot));
    }
    void restoreSlotHeader(int rack, int slot) override {
        record(QStringLiteral("restoreSlotHeader(%1,%2)").arg(rack).arg(slot));
    }
    void markSlotHeader(int pane, int rack, int slot) override {
        record(QStringLiteral("markSlotHeader(%1,%2,%3)").arg(pane).arg(rack).arg(slot));
    }
    void closePane(int pane) override { record(QStringLiteral("closePane(%1)").arg(pane)); }
    void showMonitorPane(int pane, int rack) override {
        record(QStringLiteral("showMonitorPane(%1,%2)").arg(pane).arg(rack));
    }

    std::array<std::array<int, SLOTS_PER_RACK>, MAX_RACK_NUMBER> alarmMarks = [] {
        std::array<std::array<int, SLOTS_PER_RACK>, MAX_RACK_NUMBER> marks{};
        for (auto &rack : marks)
            rack.fill(-1);
        return marks;
    }();
    std::array<std::array<bool, SLOTS_PER_RACK>, MAX_RACK_NUMBER> enabled{};
    QStringList calls;

private:
    void record(const QString &call) { calls.append(call); }
};

class NetworkTreeTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        redBlockIcon = colourIcon(Qt::red);
        greenBlockIcon = colourIcon(Qt::green);
        grayBlockIcon = colourIcon(Qt::gray);
    }

    void SetUp() override {
        takeSent();
        treeEditArmed = -1;
    }
    void TearDown() override { takeSent(); }

    void showRack(int r, std::array<uint8_t, 4> ip, const QString &name = {}) {
        RackRecord &record = tables->rack[r];
        record.absent = 0;
        record.ip = ip;
        record.ipText = QStringLiteral("%1.%2.%3.%4").arg(ip[0]).arg(ip[1]).arg(ip[2]).arg(ip[3]);
        record.name = name;
        ++tables->visibleRackCount;
    }

    // Double click on the item, as the view reports it.
    void doubleClick(QTreeWidgetItem *item) {
        tree.setCurrentItem(item);
        emit tree.doubleClicked(tree.currentIndex());
    }

    // After a double click, the rack item's editor opened with `text` typed in; nullptr when
    // no editor opened.
    QLineEdit *typeInEditor(QTreeWidgetItem *item, const QString &text) {
        doubleClick(item);
        tree.editItem(item);
        auto *editor = tree.viewport()->findChild<QLineEdit *>();
        if (editor)
            editor->setText(text);
        return editor;
    }

    static void pressReturn(QLineEdit *editor) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(editor, &enter);
        QCoreApplication::processEvents(); // the delegate commits the edit queued
    }

    std::unique_ptr<ConsoleTables> tables = ConsoleTables::create();
    FakeHost host;
    NetworkTree tree{*tables, host};
};

TEST(NetworkTreeText, RackAndSlotItemTexts) {
    RackRecord rack;
    rack.ipText = QStringLiteral("10.0.0.7");
    EXPECT_EQ(rackItemText(rack), QStringLiteral("10.0.0.7"));
    rack.name = QStringLiteral("Main");
    EXPECT_EQ(rackItemText(rack), QStringLiteral("Main : 10.0.0.7"));
    rack.ipText = QStringLiteral("100.200.100.2001");
    EXPECT_EQ(rackItemText(rack), QStringLiteral("Main : 100.200.100.200"));

    struct Case {
        const char *label;
        int slot;
        uint32_t moduleId;
        const char *name;
        const char *descriptionEng;
        const char *text;
    };
    const Case cases[] = {
        {"name without description", 5, 0x1a2b, "PSU", "", "05 : 1a2b : PSU : "},
        {"empty slot", 12, 0, "PSU", "Power", "12 : empty"},
        {"name and description", 16, 0xdeadbeef, "AMP", "Amplifier",
         "16 : deadbeef : AMP : Amplifier"},
        {"description without name", 0, 0x7, "", "Spare", "00 : 7 : Spare"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        BlockDescription block;
        block.name = QString::fromUtf8(c.name);
        block.descriptionEng = QString::fromUtf8(c.descriptionEng);
        EXPECT_EQ(slotItemText(c.slot, c.moduleId, block), QString::fromUtf8(c.text));
    }
}

TEST(NetworkTreeText, RackNameIsCutToFiftyCharactersWithoutSplittingAPair) {
    EXPECT_EQ(cutRackName(QString(60, QLatin1Char('x'))), QString(50, QLatin1Char('x')));
    EXPECT_EQ(cutRackName(QString(50, QLatin1Char('x'))), QString(50, QLatin1Char('x')));
    const QString pair = QString::fromUcs4(U"\U0001F600");
    const QString split = QString(49, QLatin1Char('x')) + pair;
    EXPECT_EQ(cutRackName(split), QString(49, QLatin1Char('x')));
}

TEST_F(NetworkTreeTest, ListsShownRacksInIndexOrderWithTheirSlots) {
    showRack(2, {10, 0, 0, 3}, QStringLiteral("Main"));
    showRack(0, {10, 0, 0, 1});
    tables->rack[0].nRackStructureTable[5] = 0x1a2b;
    tables->block(0, 5).name = QStringLiteral("PSU");

    tree.buildNetworkTree();

    ASSERT_EQ(tree.topLevelItemCount(), 2);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), QStringLiteral("10.0.0.1"));
    EXPECT_EQ(tree.topLevelItem(1)->text(0), QStringLiteral("Main : 10.0.0.3"));
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const QTreeWidgetItem *item = tree.topLevelItem(i);
        EXPECT_EQ(item->flags(), Qt::ItemIsEnabled | Qt::ItemIsEditable);
        ASSERT_EQ(item->childCount(), SLOTS_PER_RACK);
        EXPECT_EQ(item->child(16)->text(0), QStringLiteral("16 : empty"));
    }
    EXPECT_EQ(tree.topLevelItem(0)->child(5)->text(0), QStringLiteral("05 : 1a2b : PSU : "));
    EXPECT_EQ(tree.rackItem(2), tree.topLevelItem(1));
    EXPECT_EQ(tree.rackItem(1), nullptr);
    EXPECT_EQ(host.calls,
              (QStringList{"setRackButton(0,10.0.0.1,1)", "setRackButton(2,10.0.0.3,2)"}));

    tables->rack[0].absent = 1;
    tables->rack[2].absent = 1;
    tables->visibleRackCount = 0;
    tree.buildNetworkTree();
    EXPECT_EQ(tree.topLevelItemCount(), 0);
}

// A tree that counts how often its column is measured for sizing to its contents.
class MeasuredTree : public NetworkTree {
public:
    using NetworkTree::NetworkTree;
    int sizeHintForColumn(int column) const override {
        ++measured;
        return NetworkTree::sizeHintForColumn(column);
    }
    mutable int measured = 0;
};

TEST_F(NetworkTreeTest, ARebuildSizesTheColumnOnceHoweverManyRacksItLists) {
    for (const int racks : {1, 3, MAX_RACK_NUMBER}) {
        SCOPED_TRACE(racks);
        MeasuredTree measuredTree(*tables, host);
        for (int r = 0; r < racks; ++r)
            showRack(r, {10, 0, 0, uint8_t(r + 1)});
        measuredTree.buildNetworkTree();
        ASSERT_EQ(measuredTree.topLevelItemCount(), racks);
        EXPECT_EQ(measuredTree.measured, 1);
        EXPECT_GE(measuredTree.columnWidth(0), measuredTree.sizeHintForColumn(0));
        tables->visibleRackCount = 0;
    }
}

TEST_F(NetworkTreeTest, IconsFollowAlarmMarksAndModules) {
    showRack(0, {10, 0, 0, 1});
    showRack(1, {10, 0, 0, 2});
    tables->rack[0].nRackStructureTable[0] = 0x10;
    tables->rack[0].nRackStructureTable[3] = 0x11;
    tables->rack[1].nRackStructureTable[0] = 0x10;
    host.alarmMarks[0][3] = 1;
    tree.buildNetworkTree();

    const QTreeWidgetItem *rack0 = tree.rackItem(0);
    const QTreeWidgetItem *rack1 = tree.rackItem(1);
    EXPECT_TRUE(sameIcon(rack0->icon(0), redBlockIcon));
    EXPECT_TRUE(sameIcon(rack0->child(3)->icon(0), redBlockIcon));
    EXPECT_TRUE(sameIcon(rack0->child(0)->icon(0), greenBlockIcon));
    EXPECT_TRUE(sameIcon(rack0->child(1)->icon(0), grayBlockIcon));
    EXPECT_TRUE(sameIcon(rack1->icon(0), greenBlockIcon));

    host.alarmMarks[0][3] = -1;
    tree.setTreeItemIcon(0);
    EXPECT_TRUE(sameIcon(rack0->icon(0), greenBlockIcon));
    EXPECT_TRUE(sameIcon(rack0->child(3)->icon(0), greenBlockIcon));

    tree.setRackTreeIconRed(1);
    EXPECT_TRUE(sameIcon(rack1->icon(0), redBlockIcon));
    tree.setTreeItemIcon(5); // not listed
    tree.setRackTreeIconRed(5);
}

TEST_F(NetworkTreeTest, RenameBelowAHiddenRackSendsThatRacksAddress) {
    showRack(1, {10, 0, 0, 2});
    showRack(2, {10, 0, 0, 3});
    showRack(3, {192, 168, 1, 40});
    tree.buildNetworkTree();
    tables->rack[2].absent = 1; // dropped from the selection since
    --tables->visibleRackCount;
    tree.buildNetworkTree();
    QTreeWidgetItem *item = tree.rackItem(3);
    ASSERT_EQ(tree.indexOfTopLevelItem(item), 1);

    doubleClick(item);
    EXPECT_EQ(treeEditArmed, 1);
    item->setText(0, QStringLiteral("North"));

    EXPECT_EQ(takeSent(), (QList<QByteArray>{
                              wireBytes({11, 160, 192, 168, 1, 40, 5, 'N', 'o', 'r', 't', 'h'})}));
    EXPECT_EQ(tables->rack[3].name, QStringLiteral("North"));
    EXPECT_TRUE(tables->rack[1].name.isEmpty());
    EXPECT_TRUE(tables->rack[2].name.isEmpty());
    EXPECT_EQ(item->text(0), QStringLiteral("North : 192.168.1.40"));
    EXPECT_EQ(treeEditArmed, -1);
    EXPECT_FALSE(host.calls.join(' ').contains(QStringLiteral("clickSlotButton")));
}

TEST_F(NetworkTreeTest, RenameSendsTheNameAsSignExtendedCodePageBytes) {
    struct Case {
        const char *label;
        QString text;
        QString name;
        QByteArray message;
        QString itemText;
    };
    const QString sixty(60, QLatin1Char('a'));
    QByteArray fifty = wireBytes({56, 160, 10, 0, 0, 9, 50});
    for (int i = 0; i < 50; ++i)
        fifty += wireBytes({'a'});
    // "я" is 0xFF in the code page: every word on the wire is -1.
    const QString sixtyCyrillic(60, QChar(0x044F));
    QByteArray fiftyCyrillic = wireBytes({56, 160, 10, 0, 0, 9, 50});
    for (int i = 0; i < 50; ++i)
        fiftyCyrillic += wireBytes({-1});
    const Case cases[] = {
        {"Cyrillic", QString::fromUtf8("Стойка"), QString::fromUtf8("Стойка"),
         wireBytes({12, 160, 10, 0, 0, 9, 6, -0x2f, -0x0e, -0x12, -0x17, -0x16, -0x20}),
         QString::fromUtf8("Стойка : 10.0.0.9")},
        {"empty name", QString(), QString(), wireBytes({6, 160, 10, 0, 0, 9, 0}),
         QStringLiteral("10.0.0.9")},
        {"sixty characters", sixty, sixty.left(50), fifty,
         sixty.left(50) + QStringLiteral(" : 10.0.0.9")},
        // Kept as the server will hold it.
        {"unmappable character", QString::fromUtf8("A€✓"), QString::fromUtf8("A€?"),
         wireBytes({9, 160, 10, 0, 0, 9, 3, 'A', -0x78, '?'}), QString::fromUtf8("A€? : 10.0.0.9")},
        {"sixty Cyrillic characters", sixtyCyrillic, sixtyCyrillic.left(50), fiftyCyrillic,
         sixtyCyrillic.left(50) + QStringLiteral(" : 10.0.0.9")},
    };
    showRack(0, {10, 0, 0, 9});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        tables->rack[0].name.clear();
        tree.buildNetworkTree();
        QTreeWidgetItem *item = tree.rackItem(0);
        doubleClick(item);
        item->setText(0, c.text);
        EXPECT_EQ(takeSent(), (QList<QByteArray>{c.message}));
        EXPECT_EQ(tables->rack[0].name, c.name);
        EXPECT_EQ(item->text(0), c.itemText);
    }
    EXPECT_EQ(cases[2].message.size(), 2 * 50 + 14);
    EXPECT_EQ(cases[4].message.size(), 2 * 50 + 14);
}

TEST_F(NetworkTreeTest, EditWithoutDoubleClickSendsNothingAndChangesNothing) {
    showRack(0, {10, 0, 0, 1}, QStringLiteral("Main"));
    tree.buildNetworkTree();
    QTreeWidgetItem *item = tree.rackItem(0);
    item->setText(0, QStringLiteral("Other"));
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(tables->rack[0].name, QStringLiteral("Main"));
    EXPECT_EQ(item->text(0), QStringLiteral("Main : 10.0.0.1"));

    // A slot item's change renames nothing either and disarms.
    doubleClick(item);
    item->child(2)->setText(0, QStringLiteral("x"));
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(treeEditArmed, -1);
}

TEST_F(NetworkTreeTest, IconUpdatesDuringAnEditSendNothing) {
    showRack(0, {10, 0, 0, 1});
    tables->rack[0].nRackStructureTable[0] = 0x10;
    tree.buildNetworkTree();
    QTreeWidgetItem *item = tree.rackItem(0);
    doubleClick(item);

    host.alarmMarks[0][0] = 1;
    tree.setTreeItemIcon(0);
    tree.setRackTreeIconRed(0);
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(treeEditArmed, 1);
    EXPECT_TRUE(tables->rack[0].name.isEmpty());

    item->setText(0, QStringLiteral("Edited"));
    EXPECT_EQ(takeSent().size(), 1);
}

TEST_F(NetworkTreeTest, IconUpdatesWhileTheEditorIsOpenSendNothingAndTheEditStillRenames) {
    showRack(0, {10, 0, 0, 1});
    tables->rack[0].nRackStructureTable[2] = 0x10;
    tree.resize(400, 400);
    tree.buildNetworkTree();
    QTreeWidgetItem *item = tree.rackItem(0);
    QLineEdit *editor = typeInEditor(item, QStringLiteral("Hall"));
    ASSERT_NE(editor, nullptr);

    // Alarm handlers recolour the rack while the operator types.
    host.alarmMarks[0][2] = 1;
    tree.setTreeItemIcon(0);
    tree.setRackTreeIconRed(0);
    host.alarmMarks[0][2] = -1;
    tree.setTreeItemIcon(0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_TRUE(tables->rack[0].name.isEmpty());
    EXPECT_EQ(treeEditArmed, 1);

    EXPECT_EQ(editor->text(), QStringLiteral("Hall")) << "the operator's typing stays";
    pressReturn(editor);
    EXPECT_EQ(takeSent(),
              (QList<QByteArray>{wireBytes({10, 160, 10, 0, 0, 1, 4, 'H', 'a', 'l', 'l'})}));
    EXPECT_TRUE(sameIcon(item->icon(0), greenBlockIcon));
}

TEST_F(NetworkTreeTest, OperatorEditInTheItemEditorRenamesTheRack) {
    showRack(0, {10, 0, 0, 1});
    tree.resize(400, 400);
    tree.buildNetworkTree();
    QTreeWidgetItem *item = tree.rackItem(0);
    QLineEdit *editor = typeInEditor(item, QStringLiteral("Hall"));
    ASSERT_NE(editor, nullptr);
    pressReturn(editor);

    EXPECT_EQ(takeSent(),
              (QList<QByteArray>{wireBytes({10, 160, 10, 0, 0, 1, 4, 'H', 'a', 'l', 'l'})}));
    EXPECT_EQ(item->text(0), QStringLiteral("Hall : 10.0.0.1"));
}

// The operator double-clicks a named rack and types at the end of what the editor offers: the
// name alone is edited and sent, and the item shows the new name with its address once.
TEST_F(NetworkTreeTest, RenameEditsTheNameAloneAndTheItemShowsItsAddressAgain) {
    struct Case {
        const char *what;
        QString name;
        QString typed;
        QString sent;
        QString shown;
    };
    const std::vector<Case> cases = {
        {"named rack", "Main hall", " west", "Main hall west", "Main hall west : 10.0.0.1"},
        {"rack without a name", "", "Store", "Store", "Store : 10.0.0.1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        takeSent();
        tables->visibleRackCount = 0;
        showRack(0, {10, 0, 0, 1}, c.name);
        tree.resize(400, 400);
        tree.buildNetworkTree();
        ASSERT_TRUE(showActive(tree));
        QTreeWidgetItem *item = tree.rackItem(0);
        doubleClick(item);
        tree.editItem(item);
        auto *editor = tree.viewport()->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), c.name);
        pressKey(*editor, Qt::Key_End);
        typeText(*editor, c.typed);
        pressKey(*editor, Qt::Key_Return, QStringLiteral("\r"));
        QCoreApplication::processEvents(); // the delegate commits the edit queued

        const QList<QByteArray> sent = takeSent();
        ASSERT_EQ(sent.size(), 1);
        QByteArray expected =
            wireBytes({int(c.sent.size()) + 6, 160, 10, 0, 0, 1, int(c.sent.size())});
        for (const QChar ch : c.sent)
            expected += wireBytes({ch.unicode()});
        EXPECT_EQ(sent[0], expected);
        EXPECT_EQ(tables->rack[0].name, c.sent);
        EXPECT_EQ(item->text(0), c.shown);
        // The closed editor goes, so that the next case finds its own.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(NetworkTreeTest, DoubleClickOnASlotPressesItsButtonByRackIndex) {
    showRack(4, {10, 0, 0, 5});
    tree.buildNetworkTree();
    doubleClick(tree.rackItem(4)->child(7));
    EXPECT_EQ(host.calls.last(), QStringLiteral("clickSlotButton(4,7)"));
    EXPECT_EQ(treeEditArmed, -1);
}

TEST_F(NetworkTreeTest, TreeMenuSelectsTheSlotOfItsOwnRack) {
    showRack(0, {10, 0, 0, 1});
    showRack(6, {10, 0, 0, 7});
    tables->rack[0].absent = 1; // shown once, hidden since
    --tables->visibleRackCount;
    host.enabled[6][2] = true;
    tree.buildNetworkTree();
    int asked = 0;
    tree.chooseMonitorPane = [&](const QPoint &) {
        ++asked;
        return 1;
    };
    host.calls.clear();

    tree.setCurrentItem(tree.rackItem(6)->child(2));
    emit tree.customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(host.calls, (QStringList{"placeSelectionFrame(1,6,2)", "markSlotHeader(1,6,2)",
                                       "closePane(2)", "showMonitorPane(1,7)"}));
    EXPECT_EQ(tables->monitorRack1, 7);
    EXPECT_EQ(tables->monitorSlot1, 3);

    // A disabled (empty) slot and a rack item open no menu.
    host.calls.clear();
    tree.setCurrentItem(tree.rackItem(6)->child(3));
    emit tree.customContextMenuRequested(QPoint(5, 5));
    tree.setCurrentItem(tree.rackItem(6));
    emit tree.customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(NetworkTreeTest, SlotButtonMenuMovesASelectionBetweenPanes) {
    int choice = 1;
    tree.chooseMonitorPane = [&](const QPoint &) { return choice; };
    treeEditArmed = 1;

    tree.showSlotMenu(2, 4, QPoint(10, 10));
    EXPECT_EQ(treeEditArmed, -1);
    host.calls.clear();

    // PRIMARY elsewhere: the old slot's number button is restored.
    tree.showSlotMenu(3, 0, QPoint(10, 10));
    EXPECT_EQ(host.calls,
              (QStringList{"placeSelectionFrame(1,3,0)", "restoreSlotHeader(2,4)",
                           "markSlotHeader(1,3,0)", "closePane(2)", "showMonitorPane(1,4)"}));
    host.calls.clear();

    // SECONDARY on the PRIMARY slot takes it over from pane 1.
    choice = 2;
    tree.showSlotMenu(3, 0, QPoint(10, 10));
    EXPECT_EQ(host.calls,
              (QStringList{"hideSelectionFrame(1)", "placeSelectionFrame(2,3,0)",
                           "markSlotHeader(2,3,0)", "closePane(1)", "showMonitorPane(2,4)"}));
    EXPECT_EQ(tables->monitorRack1, -1);
    EXPECT_EQ(tables->monitorSlot1, -1);
    EXPECT_EQ(tables->monitorRack2, 4);
    EXPECT_EQ(tables->monitorSlot2, 1);
    host.calls.clear();

    // PRIMARY on another slot keeps the SECONDARY pane open.
    choice = 1;
    tree.showSlotMenu(0, 16, QPoint(10, 10));
    EXPECT_EQ(host.calls, (QStringList{"placeSelectionFrame(1,0,16)", "markSlotHeader(1,0,16)",
                                       "showMonitorPane(1,1)"}));
    host.calls.clear();

    choice = 0;
    tree.showSlotMenu(1, 1, QPoint(10, 10));
    tree.showSlotMenu(40, 1, QPoint(10, 10));
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(NetworkTreeTest, MonitoringMenuOffersBothPanes) {
    struct Case {
        const char *label;
        int trigger; // index of the action to trigger, -1 to close the menu
        int pane;
    };
    const Case cases[] = {{"primary", 0, 1}, {"secondary", 2, 2}, {"nothing", -1, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QStringList texts;
        QTimer::singleShot(0, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (const QAction *action : menu->actions())
                texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
            if (c.trigger < 0) {
                menu->close();
                return;
            }
            menu->setActiveAction(menu->actions().at(c.trigger));
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(menu, &enter);
        });
        EXPECT_EQ(NetworkTree::execMonitorMenu(&tree, QPoint(20, 20)), c.pane);
        EXPECT_EQ(texts, (QStringList{"Select PRIMARY block to MONITORING", "-",
                                      "Select SECONDARY block to MONITORING"}));
    }
}

// Counts the notice's showings.
class ShowCounter : public QObject {
public:
    int shows = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

// Records the rack rows and tree rebuilds of a rings reset.
class ResetViews : public NullConsoleViews {
public:
    void setRackRowsVisible(int rack, bool visible) override {
        calls.append(QStringLiteral("rows(%1,%2)").arg(rack).arg(visible));
    }
    void resizeRackPanel(int height) override {
        calls.append(QStringLiteral("panel(%1)").arg(height));
    }
    void buildNetworkTree() override { calls.append(QStringLiteral("tree")); }
    QStringList calls;
};

class LinkNoticeTest : public testing::Test {
protected:
    void SetUp() override {
        srv_link_shown = -1;
        srv_rings_reset = -1;
        notice.noConnectionBox()->installEventFilter(&counter);
        window.show();
    }
    void TearDown() override {
        srv_link_shown = -1;
        srv_rings_reset = -1;
    }

    std::unique_ptr<ConsoleTables> tables = ConsoleTables::create();
    ResetViews views;
    QWidget window;
    LinkNotice notice{&window, *tables, views};
    ShowCounter counter;
};

TEST_F(LinkNoticeTest, NoticeShowsOnceWhileTheLinkIsDownAndClosesWhenItIsBack) {
    QMessageBox *box = notice.noConnectionBox();
    EXPECT_EQ(box->parentWidget(), &window);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Attention!"));
    EXPECT_EQ(box->text(), QStringLiteral("ATTENTION:   NO CONNECTION TO SERVER!"));
    EXPECT_FALSE(box->isModal());
    EXPECT_TRUE(box->buttons().isEmpty());
    // Flags 0x1803: a dialog, frameless, with the title hint; and above the console's other
    // windows, the panes among them.
    EXPECT_EQ(box->windowType(), Qt::Dialog);
    EXPECT_TRUE(box->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(box->font().pixelSize(), 20);

    notice.infoMsgExec();
    EXPECT_FALSE(box->isVisible());

    srv_link_shown = 1;
    notice.infoMsgExec();
    notice.infoMsgExec();
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(notice.isShown());
    EXPECT_TRUE(notice.isLinkDown());
    EXPECT_EQ(counter.shows, 1);

    srv_link_shown = -1;
    notice.infoMsgExec();
    EXPECT_FALSE(box->isVisible());
    EXPECT_FALSE(notice.isShown());

    srv_link_shown = 1;
    notice.infoMsgExec();
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(counter.shows, 2);
    EXPECT_TRUE(views.calls.isEmpty());
}

TEST_F(LinkNoticeTest, NoNoticeAppearsOnceTheWindowIsClosed) {
    window.close();
    srv_link_shown = 1;
    notice.infoMsgExec();
    EXPECT_FALSE(notice.isShown());
    // A window left open would keep the console from quitting.
    for (const QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
}

TEST_F(LinkNoticeTest, RingsResetHidesEveryShownRackOnce) {
    for (const int r : {0, 3}) {
        tables->rack[r].absent = 0;
        ++tables->visibleRackCount;
        tables->rackPanelHeight += RACK_ROWS_SHOWN_HEIGHT;
    }
    tables->currnrack = 3;
    srv_rings_reset = 1;

    notice.infoMsgExec();

    EXPECT_EQ(tables->rack[0].absent, 1);
    EXPECT_EQ(tables->rack[3].absent, 1);
    EXPECT_EQ(tables->visibleRackCount, 0);
    EXPECT_EQ(tables->currnrack, -1);
    EXPECT_EQ(tables->rackPanelHeight, 2 * (RACK_ROWS_SHOWN_HEIGHT - RACK_ROWS_HIDDEN_HEIGHT));
    EXPECT_EQ(srv_rings_reset.load(), -1);
    EXPECT_EQ(views.calls, (QStringList{"rows(0,0)", "rows(3,0)", "panel(10)", "tree"}))
        << "the panel is resized and the tree rebuilt once for all hidden racks";

    views.calls.clear();
    notice.infoMsgExec();
    EXPECT_TRUE(views.calls.isEmpty());
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
