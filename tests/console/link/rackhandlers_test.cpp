#include "handlerfixture.h"
#include "debuglog.h"

#include <QDir>
#include <QFile>

namespace {

const Ip rackA{10, 0, 0, 1};
const Ip rackB{10, 0, 0, 2};
const Ip rackC{10, 0, 0, 3};

using RackStructureTest = HandlerTest;

TEST_F(RackStructureTest, NamesThenStructureCreateRackZero) {
    const QString name = QStringLiteral("Стойка №1");
    feed(rackNamesMsg({{rackB, "other"}, {rackA, "first"}, {rackA, name}}));
    feed(rackStructureMsg(rackA, {0x11223344, 0, 0xA1B2C}));

    const RackRecord &r = t.rack[0];
    EXPECT_EQ(r.ipText, "10.0.0.1");
    EXPECT_EQ(r.ip, (std::array<uint8_t, 4>{10, 0, 0, 1}));
    EXPECT_EQ(r.number, 0);
    EXPECT_EQ(r.absent, 0);
    EXPECT_EQ(r.name, name) << "the later matching entry wins";
    EXPECT_EQ(r.nRackStructureTable[0], 0x11223344u);
    EXPECT_EQ(r.nRackStructureTable[1], 0u);
    EXPECT_EQ(r.nRackStructureTable[2], 0xA1B2Cu);
    EXPECT_EQ(t.rackCount, 1);
    EXPECT_EQ(t.visibleRackCount, 1);
    EXPECT_EQ(t.currnrack, 0);
    EXPECT_EQ(t.rackPanelHeight, 166);
    EXPECT_EQ(views.calls("addRackRows"), QStringList{"addRackRows(0)"});
    EXPECT_EQ(views.calls("resizeRackPanel"), QStringList{"resizeRackPanel(166)"});
    EXPECT_EQ(views.calls("enableSlotButton"),
              (QStringList{"enableSlotButton(0,0)", "enableSlotButton(0,2)"}));
    EXPECT_EQ(views.calls("emptySlotButton").size(), 15);
    EXPECT_FALSE(views.calls("buildNetworkTree").isEmpty());
}

TEST_F(RackStructureTest, RackNameIsCutToFiftyCharacters) {
    feed(rackNamesMsg({{rackA, QString(60, QChar(0x0416))}}));
    addRack(rackA, {1});
    EXPECT_EQ(t.rack[0].name, QString(50, QChar(0x0416)));

    // A character outside the BMP across the cut is dropped whole.
    const QString pair = QString::fromUcs4(U"\U0001F600");
    feed(rackNamesMsg({{rackB, QString(49, QLatin1Char('x')) + pair}}));
    addRack(rackB, {1});
    EXPECT_EQ(t.rack[1].name, QString(49, QLatin1Char('x')));
}

// The server holds the names: after a reconnect its names replace the ones the console shows.
TEST_F(RackStructureTest, RackNamesFromTheServerRenameKnownRacks) {
    feed(rackNamesMsg({{rackA, QStringLiteral("Север-1")}, {rackB, QStringLiteral("Юг-2")}}));
    addRack(rackA, {1});
    addRack(rackB, {1});
    addRack(rackC, {1});
    t.rack[0].name = QStringLiteral("Север-1 зал №2"); // renamed here, not yet by the server
    t.rack[2].name = QStringLiteral("local");

    feed(rackNamesMsg({{rackA, QStringLiteral("Север-1")},
                       {rackB, QStringLiteral("Юг-2 ж?")},
                       {rackB, QString(60, QLatin1Char('y'))}}));
    EXPECT_EQ(t.rack[0].name, QStringLiteral("Север-1"));
    EXPECT_EQ(t.rack[1].name, QString(50, QLatin1Char('y'))) << "the later entry, cut";
    EXPECT_EQ(t.rack[2].name, QStringLiteral("local")) << "a rack the server does not name";
    EXPECT_EQ(views.calls("buildNetworkTree").size(), 1) << "the tree shows the new names";

    views.clear();
    feed(rackNamesMsg({{rackA, QStringLiteral("Север-1")}}));
    EXPECT_TRUE(views.calls("buildNetworkTree").isEmpty()) << "no name changed";
}

TEST_F(RackStructureTest, MalformedRackNamesAreDroppedWithADebugLine) {
    feed(rackNamesMsg({{rackA, QStringLiteral("kept")}}));
    addRack(rackA, {1});
    const DebugLog log;
    // One entry announced, its length running past the message's end; a negative count.
    for (const QByteArray &bad : {srvMsg({161, 1, 10, 0, 0, 1, 9, 0, 65}), srvMsg({161, -1})}) {
        feed(bad);
        EXPECT_EQ(t.rack[0].name, QStringLiteral("kept"));
    }
    EXPECT_EQ(log.count("kod=161:"), 2);
    addRack(rackB, {1});
    t.rack[1].name.clear();
    feed(rackNamesMsg({{rackB, QStringLiteral("b")}}));
    EXPECT_EQ(t.rack[1].name, QStringLiteral("b"));
}

TEST_F(RackStructureTest, ModuleLeavingAShownSlotResetsThatPaneOnly) {
    addRack(rackA, {1, 2, 3, 4, 5});
    t.monitorRack1 = 1;
    t.monitorSlot1 = 4; // slot index 3
    t.monitorRack2 = 1;
    t.monitorSlot2 = 5; // slot index 4, unchanged
    t.block(0, 3).valueCount = 7;
    t.block(0, 3).entryCount = 9;
    t.alarm_table[0][3][0].alarmCount = 2;

    feed(rackStructureMsg(rackA, {1, 2, 3, 0, 5}));

    EXPECT_EQ(views.calls("resetBlockSelection"), QStringList{"resetBlockSelection(1,1,4)"});
    EXPECT_EQ(views.calls("closePane"), QStringList{"closePane(1)"});
    EXPECT_EQ(t.monitorRack1, -1);
    EXPECT_EQ(t.monitorSlot1, -1);
    EXPECT_EQ(t.monitorSlot2, 5);
    EXPECT_EQ(t.rack[0].previousStructure[3], 4u);
    EXPECT_EQ(views.calls("emptySlotButton(0,3)").size(), 1);
    EXPECT_EQ(views.calls("hideSlotAlarm(0,3,").size(), 6);
    EXPECT_EQ(t.block(0, 3).valueCount, 0);
    EXPECT_EQ(t.block(0, 3).entryCount, 0);
    EXPECT_EQ(t.alarm_table[0][3][0].alarmCount, 0);
}

TEST_F(RackStructureTest, EmptyStructureHidesAKnownRackAndTheNextMessageShowsItAgain) {
    addRack(rackA, {1});
    t.monitorRack2 = 1;
    t.monitorSlot2 = 9;
    feed(rackStructureMsg(rackA, {}));
    EXPECT_EQ(t.rack[0].absent, 1);
    EXPECT_EQ(t.rackPanelHeight, 166 - 161);
    EXPECT_EQ(t.visibleRackCount, 0);
    EXPECT_EQ(t.currnrack, -1);
    EXPECT_EQ(t.currRackKnown, -1);
    EXPECT_EQ(views.calls("setRackRowsVisible"), QStringList{"setRackRowsVisible(0,0)"});
    EXPECT_EQ(views.calls("closePane"), QStringList{"closePane(2)"});

    views.clear();
    feed(blockDescriptionMsg(rackA, 0, "PSU", "", "", {"a"}));
    EXPECT_EQ(t.rack[0].absent, 0);
    EXPECT_EQ(t.rackCount, 1) << "the rack keeps its index";
    EXPECT_EQ(t.visibleRackCount, 1);
    EXPECT_EQ(t.rackPanelHeight, 5 + 166);
    EXPECT_EQ(views.calls("setRackRowsVisible"), QStringList{"setRackRowsVisible(0,1)"});
    EXPECT_EQ(t.block(0, 0).name, "PSU");
}

TEST_F(RackStructureTest, TheStructuresOfAChunkRebuildTheTreeOnce) {
    addRack(rackA, {1});
    addRack(rackB, {1});
    struct Case {
        const char *label;
        QByteArray chunk;
    };
    const Case cases[] = {
        {"one structure", rackStructureMsg(rackA, {1, 2})},
        {"the same racks again and again",
         rackStructureMsg(rackA, {1}) + rackStructureMsg(rackB, {1}) +
             rackStructureMsg(rackA, {1}) + rackStructureMsg(rackB, {2})},
        {"a new rack among known ones", rackStructureMsg(rackA, {1}) +
                                            rackStructureMsg(rackC, {1}) +
                                            rackStructureMsg(rackB, {1})},
        {"a rack hidden and shown again",
         rackStructureMsg(rackA, {}) + rackStructureMsg(rackA, {1}) + rackStructureMsg(rackC, {3})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        views.clear();
        feed(c.chunk);
        EXPECT_EQ(views.calls("buildNetworkTree").size(), 1);
        EXPECT_EQ(views.calls().last(), "buildNetworkTree()") << "after the chunk's messages";
    }
    EXPECT_EQ(t.rackCount, 3);
    EXPECT_EQ(t.visibleRackCount, 3);
}

TEST_F(RackStructureTest, FortyRacksFitAndTheFortyFirstIsRefused) {
    for (int i = 0; i < MAX_RACK_NUMBER; ++i)
        addRack({10, 0, 1, i}, {1});
    EXPECT_EQ(t.rackCount, 40);
    EXPECT_EQ(t.rack[39].ipText, "10.0.1.39");

    DebugLog log;
    const int height = t.rackPanelHeight;
    feed(rackStructureMsg({10, 0, 2, 0}, {1}));
    feed(blockDescriptionMsg({10, 0, 2, 1}, 0, "PSU", "", "", {"a"}));
    EXPECT_EQ(log.count("kod=20: Error: currnrack > MAX_RACK_NUMBER"), 1);
    EXPECT_EQ(log.count("kod=40: Error: currnrack > MAX_RACK_NUMBER"), 1);
    EXPECT_EQ(t.rackCount, 40);
    EXPECT_EQ(t.visibleRackCount, 40);
    EXPECT_EQ(t.rackPanelHeight, height);
    EXPECT_TRUE(views.calls("addRackRows").isEmpty());
    for (const RackRecord &r : t.rack)
        EXPECT_FALSE(r.ipText.startsWith("10.0.2."));

    feed(registerValuesMsg({10, 0, 1, 7}, 0, {42}));
    EXPECT_EQ(t.block(7, 0).values[0], 42) << "the console goes on";
}

TEST_F(RackStructureTest, NewRackAfterAllWereHiddenTakesTheNextFreeIndex) {
    addRack(rackA, {1});
    feed(addressListMsg(110, {}));
    ASSERT_EQ(t.currnrack, -1);
    feed(rackStructureMsg(rackB, {1}));
    EXPECT_EQ(t.currnrack, 1);
    EXPECT_EQ(t.rack[1].ipText, "10.0.0.2");
    EXPECT_EQ(t.rack[0].ipText, "10.0.0.1");
}

using BlockDescriptionTest = HandlerTest;

TEST_F(BlockDescriptionTest, SectionsLinesAndCaptions) {
    addRack(rackA, {0x10, 0x20});
    // U+043B has the low byte of ";": the description is cut by position, not by that byte.
    const QString description = QStringLiteral("Блок питания; ул. 1");
    feed(blockDescriptionMsg(rackA, 1, "PSU", description, "Power supply",
                             {"Gain[0.1],x", "#Power", "Mo|d$e~%,list[1]"}));

    const BlockDescription &b = t.block(0, 1);
    EXPECT_EQ(b.name, "PSU");
    EXPECT_EQ(b.description, description);
    EXPECT_EQ(b.descriptionEng, "Power supply");
    EXPECT_EQ(b.ipText, "10.0.0.1");
    EXPECT_EQ(b.slot, 1);
    EXPECT_EQ(b.entryCount, 3);
    EXPECT_EQ(b.entries[0], "Gain[0.1],x");
    EXPECT_EQ(b.entries[2], "Mo|d$e~%,list[1]not_defined");
    EXPECT_EQ(b.captions[0], "Gain");
    EXPECT_EQ(b.captions[1], "Power");
    EXPECT_EQ(b.captions[2], "Modenot_defined");
    for (int i = 3; i < MAX_CONTROL_LINES; ++i) {
        ASSERT_EQ(b.entries[i], "not_defined") << i;
        ASSERT_EQ(b.captions[i], "not_defined") << i;
    }
    EXPECT_EQ(b.valueCount, 0);
    EXPECT_EQ(views.calls("invalidateBlockPanel"), QStringList{"invalidateBlockPanel(0,1)"});
    EXPECT_EQ(views.calls("setSlotModule"), QStringList{"setSlotModule(0,1,,PSU)"});
    EXPECT_EQ(views.calls("hideSlotAlarm(0,1,").size(), 6);
}

TEST_F(BlockDescriptionTest, ShorterTableEmptiesEveryEarlierLineAndCaption) {
    addRack(rackA, {0x10});
    feed(blockDescriptionMsg(rackA, 0, "A", "", "", {"x", "y", "z"}));
    feed(blockDescriptionMsg(rackA, 0, "B", "", "", {}));
    const BlockDescription &b = t.block(0, 0);
    EXPECT_EQ(b.entryCount, 0);
    EXPECT_TRUE(b.entries[1].isEmpty());
    EXPECT_TRUE(b.captions[1].isEmpty());
    EXPECT_TRUE(b.captions[5].isEmpty());
}

TEST_F(BlockDescriptionTest, TwoHundredFiftySixLinesFitAndTheNextIsRefused) {
    addRack(rackA, {0x10});
    QStringList lines(MAX_CONTROL_LINES, "line");
    feed(blockDescriptionMsg(rackA, 0, "FULL", "", "", lines));
    EXPECT_EQ(t.block(0, 0).entryCount, 256);
    EXPECT_EQ(t.block(0, 0).entries[255], "linenot_defined");

    DebugLog log;
    views.clear();
    lines.append("extra");
    feed(blockDescriptionMsg(rackA, 0, "OVER", "", "", lines));
    EXPECT_EQ(log.count("ERROR DATA FROM SERVER: kod = 40 Error ControlTable lebn =  257"), 1);
    EXPECT_EQ(t.block(0, 0).name, "FULL") << "the refused description changes nothing";
    EXPECT_TRUE(views.calls("invalidateBlockPanel").isEmpty());
}

TEST_F(BlockDescriptionTest, SlotOutsideTheRackIsDroppedWithADebugLine) {
    addRack(rackA, {0x10});
    for (const int slot : {17, -1}) {
        SCOPED_TRACE(slot);
        const DebugLog log;
        feed(blockDescriptionMsg(rackA, slot, "X", "", "", {"a"}));
        EXPECT_EQ(
            log.count(QStringLiteral("kod=40: slot %1 out of range, message dropped").arg(slot)),
            1);
        EXPECT_TRUE(views.calls("setSlotModule").isEmpty());
    }
}

TEST_F(BlockDescriptionTest, NewRackFromADescriptionGetsItsAddress) {
    feed(blockDescriptionMsg(rackB, 2, "PSU", "", "", {"a"}));
    EXPECT_EQ(t.rackCount, 1);
    EXPECT_EQ(t.rack[0].ipText, "10.0.0.2");
    EXPECT_EQ(t.rack[0].ip, (std::array<uint8_t, 4>{10, 0, 0, 2}));
    EXPECT_EQ(t.rackPanelHeight, 166);
    EXPECT_EQ(t.block(0, 2).name, "PSU");
}

TEST_F(BlockDescriptionTest, TreeIsRebuiltOncePerChunkWhenSlotTextsChangeOrARackAppears) {
    addRack(rackA, {0x10, 0x20});
    struct Case {
        const char *label;
        const char *name;
        const char *eng;
        int rebuilds;
    };
    const Case cases[] = {
        {"first description", "PSU", "Power", 1},
        {"same texts again", "PSU", "Power", 0},
        {"other English description", "PSU", "Power supply", 1},
        {"other name", "AMP", "Power supply", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        views.clear();
        feed(blockDescriptionMsg(rackA, 1, c.name, "", c.eng, {"a"}));
        EXPECT_EQ(views.calls("buildNetworkTree").size(), c.rebuilds);
    }
    views.clear();
    feed(blockDescriptionMsg(rackB, 0, "", "", "", {"a"}));
    EXPECT_EQ(views.calls("buildNetworkTree").size(), 1) << "a rack added by a description";

    // The descriptions of a whole chunk rebuild the tree once.
    views.clear();
    feed(blockDescriptionMsg(rackA, 0, "TUNER", "", "", {"a"}) +
         blockDescriptionMsg(rackA, 1, "SWITCH", "", "", {"a"}) +
         blockDescriptionMsg(rackB, 0, "PSU", "", "", {"a"}));
    EXPECT_EQ(views.calls("buildNetworkTree").size(), 1);
    EXPECT_EQ(t.block(1, 0).name, "PSU");
}

TEST_F(BlockDescriptionTest, ModuleIconIsFoundInItsOwnFolderOnly) {
    const QString base = iconRoot.path() + "/ICONS_NEW/ICON_TORV";
    for (const QString &file : {QString("ABC/ABC.png"), QString("low/LOW.PNG"), QString("..png")}) {
        QDir().mkpath(QFileInfo(base + "/" + file).path());
        QFile(base + "/" + file).open(QIODevice::WriteOnly);
    }
    struct Case {
        QString name;
        QString icon;
    };
    const std::vector<Case> cases = {
        {"ABC", base + "/ABC/ABC.png"},
        {"LOW", base + "/low/LOW.PNG"},
        {"NONE", ""},
        {".", ""},
        {"..", ""},
        {"../ABC", ""},
        {"a\\b", ""},
    };
    addRack(rackA, {0x10});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        views.clear();
        feed(blockDescriptionMsg(rackA, 0, c.name, "", "", {"a"}));
        const QString label = c.icon.isEmpty() ? c.name : QString();
        EXPECT_EQ(views.calls("setSlotModule"),
                  QStringList{QString("setSlotModule(0,0,%1,%2)").arg(c.icon, label)});
    }
}

// Within one chunk a module's icon is looked up once; the next chunk sees the folder as it is
// then: an icon added or removed between two descriptions shows with the second.
TEST_F(BlockDescriptionTest, ModuleIconFolderChangesShowWithTheNextChunk) {
    const QString folder = iconRoot.path() + "/ICONS_NEW/ICON_TORV/PSU";
    const QString icon = folder + "/PSU.png";
    addRack(rackA, {0x10, 0x10});
    const auto describedAs = [&](const QString &file, const QString &label) {
        return QStringList{QString("setSlotModule(0,0,%1,%2)").arg(file, label),
                           QString("setSlotModule(0,1,%1,%2)").arg(file, label)};
    };
    const QByteArray both = blockDescriptionMsg(rackA, 0, "PSU", "", "", {"a"}) +
                            blockDescriptionMsg(rackA, 1, "PSU", "", "", {"a"});

    views.clear();
    feed(both);
    EXPECT_EQ(views.calls("setSlotModule"), describedAs("", "PSU"));

    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile(icon).open(QIODevice::WriteOnly));
    views.clear();
    feed(both);
    EXPECT_EQ(views.calls("setSlotModule"), describedAs(icon, ""));

    ASSERT_TRUE(QFile::remove(icon));
    views.clear();
    feed(both);
    EXPECT_EQ(views.calls("setSlotModule"), describedAs("", "PSU"));
}

TEST_F(BlockDescriptionTest, AlarmDefinitionValuesBeyondSixteenBitsAreClampedNotWrapped) {
    addRack(rackA, {0xA1B2C});
    feed(alarmInitMsg("000A1B2C_A.txt", "Big;0;D;70000;;Low;0;D;-70000;;"));
    feed(blockDescriptionMsg(rackA, 0, "PSU", "", "", {"Gain[0.1],x", "Other"}));
    const SlotAlarms &alarms = t.alarm_table[0][0];
    EXPECT_EQ(alarms[0].value, 32767);
    EXPECT_EQ(alarms[1].value, -32768);
}

TEST_F(BlockDescriptionTest, AlarmDefinitionsOfTheModuleTypeAreCopied) {
    addRack(rackA, {0xA1B2C});
    SlotAlarms &alarms = t.alarm_table[0][0];
    alarms[4].name = "stale";
    alarms[4].alarm_set = 1;
    alarms[4].snmp = 0;
    feed(alarmInitMsg("000A1B2C_A.txt", "Gain;1;L;1.5;9.5;;INPUT;0;D;3;;Other;2;L;0;1;;"
                                        "Far;9;D;1;;"));
    views.clear();
    feed(blockDescriptionMsg(rackA, 0, "PSU", "", "", {"Gain[0.1],x", "Other"}));

    EXPECT_EQ(alarms[0].name, "Gain");
    EXPECT_EQ(alarms[0].reg, 1);
    EXPECT_EQ(alarms[0].kind, "L");
    EXPECT_DOUBLE_EQ(alarms[0].lower, 1.5);
    EXPECT_DOUBLE_EQ(alarms[0].upper, 9.5);
    EXPECT_EQ(alarms[1].name, "INPUT");
    EXPECT_EQ(alarms[1].value, 3);
    EXPECT_EQ(alarms[2].name, "Other");
    EXPECT_TRUE(alarms[3].name.isEmpty()) << "register 9 is past the table";
    // Gain matches its caption, INPUT is a status alarm; the last line's caption carries
    // "not_defined", so Other is not counted.
    EXPECT_EQ(alarms[0].alarmCount, 2);
    EXPECT_TRUE(alarms[4].name.isEmpty());
    EXPECT_EQ(alarms[4].alarm_set, 0);
    EXPECT_EQ(alarms[4].snmp, 0) << "the SNMP choice stays";
    EXPECT_EQ(alarms[4].reg, -1);
    EXPECT_EQ(alarms[4].alarmIndex, 4) << "entries keep their own position";
    EXPECT_EQ(alarms[4].rackIndex, 0);
    EXPECT_EQ(views.calls("showSlotAlarm"),
              (QStringList{"showSlotAlarm(0,0,0,Gain)", "showSlotAlarm(0,0,1,INPUT)",
                           "showSlotAlarm(0,0,2,Other)"}));
}

TEST_F(BlockDescriptionTest, PaneOnTheRackTakesTheSlotHeaderWhileMonitoring) {
    addRack(rackA, {0x10, 0x20});
    t.monitorRack2 = 1;
    t.monitorSlot2 = 2;
    feed(blockDescriptionMsg(rackA, 0, "PSU", "", "", {"a"}));
    EXPECT_TRUE(views.calls("refreshPaneHeader").isEmpty());
    t.monitoringOn = 1;
    feed(blockDescriptionMsg(rackA, 0, "PSU", "", "", {"a"}));
    EXPECT_EQ(views.calls("refreshPaneHeader"), QStringList{"refreshPaneHeader(2,0,1,0)"});
}

} // namespace
