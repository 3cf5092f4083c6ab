#include "handlerfixture.h"

#include "debuglog.h"

namespace {

const Ip rackA{10, 0, 0, 1};
constexpr uint32_t moduleId = 0xA1B2C;

using RegisterValuesTest = HandlerTest;

TEST_F(RegisterValuesTest, ValuesAreSignExtendedFromFourteenBits) {
    addRack(rackA, {moduleId});
    feed(registerValuesMsg(rackA, 0, {0x2000, 0x1FFF, 0x7FFF, -1, 1}));
    const BlockDescription &b = t.block(0, 0);
    EXPECT_EQ(b.valueCount, 5);
    EXPECT_EQ((std::vector<int>(b.values.begin(), b.values.begin() + 6)),
              (std::vector<int>{-8192, 8191, -1, -1, 1, 0}));
    EXPECT_EQ(b.valuesState, 1);
    EXPECT_EQ(b.ipText, "10.0.0.1");
    EXPECT_EQ(views.calls(), QStringList{"enableBlockContent(0,0)"});

    views.visibleBlockPages.insert({0, 0});
    feed(registerValuesMsg(rackA, 0, Words(256, 3)));
    EXPECT_EQ(b.valueCount, 256);
    EXPECT_EQ(b.values[255], 3);
    EXPECT_EQ(views.calls("fillBlockPage"), QStringList{"fillBlockPage(0,0)"});
}

TEST_F(RegisterValuesTest, MessagesOutsideThePreconditionsChangeNothing) {
    addRack(rackA, {moduleId, 0});
    addRack({10, 0, 0, 2}, {moduleId});
    // Rack 1 leaves the selection and is hidden.
    feed(addressListMsg(120, {{10, 0, 0, 2}}));
    feed(addressListMsg(120, {rackA}));
    ASSERT_EQ(t.rack[1].absent, 1);
    views.clear();
    struct Case {
        const char *name;
        QByteArray message;
    };
    const std::vector<Case> cases = {
        {"address no rack has", registerValuesMsg({10, 0, 0, 9}, 0, {1})},
        {"hidden rack", registerValuesMsg({10, 0, 0, 2}, 0, {1})},
        {"slot 17", registerValuesMsg(rackA, 17, {1})},
        {"negative slot", registerValuesMsg(rackA, -1, {1})},
        {"empty slot", registerValuesMsg(rackA, 1, {1})},
        {"no values", registerValuesMsg(rackA, 0, {})},
        {"257 values", registerValuesMsg(rackA, 0, Words(257, 1))},
        {"values past the end", srvMsg({30, 10, 0, 0, 1, 0, 5, 1})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        feed(c.message);
        for (int r = 0; r < 2; ++r) {
            for (int s = 0; s < SLOTS_PER_RACK; ++s) {
                ASSERT_EQ(t.block(r, s).valuesState, -1);
                ASSERT_EQ(t.block(r, s).valueCount, 0);
            }
        }
        EXPECT_TRUE(views.calls().isEmpty());
    }
}

class AlarmTest : public HandlerTest {
protected:
    AlarmTest() {
        addRack(rackA, {moduleId, moduleId});
        t.alarm_table[0][0][0].alarmCount = 3;
        t.alarm_table[0][0][0].alarm_set = 1;
        t.alarm_table[0][0][1].alarm_set = 1;
        t.alarm_table[0][0][2].alarm_set = 1;
    }

    AlarmWireRecord setting(int alarm, int alarmSet = 1) const {
        return {wire(rackA), 0, 5, 1, 50, 120, 7, int16_t(alarmSet), 0, int16_t(alarm), moduleId};
    }
};

TEST_F(AlarmTest, LimitsAreScaledByTheRegistersScale) {
    struct Case {
        double scale;
        int decimalsBefore;
        double lower, upper;
        int decimals;
    };
    const std::vector<Case> cases = {
        {0.1, 0, 5.0, 12.0, 2},
        {1.0, 0, 50.0, 120.0, 1},
        {1.0, 2, 50.0, 120.0, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.scale);
        t.block(0, 0).scale[5] = c.scale;
        AlarmEntry &e = t.alarm_table[0][0][3];
        e.decimals = c.decimalsBefore;
        feed(alarmSettingsMsg({setting(3)}));
        EXPECT_DOUBLE_EQ(e.lower, c.lower);
        EXPECT_DOUBLE_EQ(e.upper, c.upper);
        EXPECT_EQ(e.decimals, c.decimals);
        EXPECT_EQ(e.kind, "L");
        EXPECT_EQ(e.reg, 5);
        EXPECT_EQ(e.value, 7);
        EXPECT_EQ(e.alarm_set, 1);
        EXPECT_EQ(e.snmp, 0);
        EXPECT_EQ(e.moduleId, moduleId);
        EXPECT_EQ(e.ipText, "10.0.0.1");
    }
}

TEST_F(AlarmTest, LoadedAlarmWidgetsAreReloaded) {
    t.alarm_table[0][0][0].widgetsLoaded = 1;
    feed(alarmSettingsMsg({setting(2)}));
    EXPECT_EQ(views.calls("loadAlarmWidgets"), QStringList{"loadAlarmWidgets(1,1,2)"});
}

TEST_F(AlarmTest, IgnoredAlarmTurnsGrayAndClearsTheSlotWhenNoOtherIsRaised) {
    t.monitorRack1 = 1;
    t.monitorSlot1 = 2;
    t.alarm_table[0][0][1].state = 1;
    feed(alarmSettingsMsg({setting(1, 0)}));
    EXPECT_EQ(t.alarm_table[0][0][1].state, -1);
    EXPECT_EQ(views.calls(), (QStringList{"setPaneAlarmLed(1,1,gray)",
                                          "setSlotAlarmLed(0,0,1,gray)", "setPaneHeaderAlarm(1,0)",
                                          "setSlotButtonAlarm(0,0,0)", "setTreeItemIcon(0)"}));
}

TEST_F(AlarmTest, RecordsThatNameNoAlarmOfTheRackChangeNothing) {
    std::vector<AlarmWireRecord> records(6, setting(1));
    records[0].slot = -1;
    records[1].slot = 17;
    records[2].alarmIndex = 6;
    records[3].reg = 256;
    records[4].moduleId = moduleId + 1;
    records[5].address = wire({10, 0, 0, 9});
    feed(alarmSettingsMsg(records));
    for (const SlotAlarms &slot : t.alarm_table[0])
        for (const AlarmEntry &e : slot)
            ASSERT_EQ(e.reg, -1);
    EXPECT_TRUE(views.calls().isEmpty());
}

TEST_F(AlarmTest, RaisedThenClearedLightsAndClearsTheAlarm) {
    t.monitorRack2 = 1;
    t.monitorSlot2 = 1;
    feed(alarmEventMsg(90, rackA, 0, 5, 2, moduleId));
    const AlarmEntry &e = t.alarm_table[0][0][2];
    EXPECT_EQ(e.state, 1);
    EXPECT_EQ(e.reg, 5);
    EXPECT_EQ(e.moduleId, moduleId);
    EXPECT_EQ(views.calls(), (QStringList{"setPaneAlarmLed(2,2,red)", "setSlotAlarmLed(0,0,2,red)",
                                          "setPaneHeaderAlarm(2,1)", "setSlotButtonAlarm(0,0,1)",
                                          "setTreeItemIcon(0)", "setRackTreeIconRed(0)"}));

    views.clear();
    feed(alarmEventMsg(91, rackA, 0, 5, 2, moduleId));
    EXPECT_EQ(e.state, -1);
    EXPECT_EQ(views.calls(), (QStringList{"setPaneAlarmLed(2,2,green)",
                                          "setSlotAlarmLed(0,0,2,green)", "setPaneHeaderAlarm(2,0)",
                                          "setSlotButtonAlarm(0,0,0)", "setTreeItemIcon(0)"}));
}

TEST_F(AlarmTest, ClearedAlarmIsGrayWhenIgnoredOrAHiddenInput) {
    struct Case {
        const char *name;
        int alarmSet, reg, viewState1;
        QString alarmName;
        const char *colour;
    };
    const std::vector<Case> cases = {
        {"normal", 1, 5, 1, "Gain", "green"},
        {"ignored", 0, 5, 1, "Gain", "gray"},
        {"input shown gray", 1, 0, 2, "INPUT", "gray"},
        {"input", 1, 0, 1, "INPUT", "green"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        AlarmEntry &e = t.alarm_table[0][1][0];
        e.alarm_set = uint8_t(c.alarmSet);
        e.viewState1 = c.viewState1;
        e.name = c.alarmName;
        views.clear();
        feed(alarmEventMsg(91, rackA, 1, c.reg, 0, moduleId));
        EXPECT_EQ(views.calls("setSlotAlarmLed"),
                  QStringList{QString("setSlotAlarmLed(0,1,0,%1)").arg(c.colour)});
    }
}

TEST_F(AlarmTest, ClearingOneOfTwoRaisedAlarmsKeepsTheSlotInAlarm) {
    feed(alarmEventMsg(90, rackA, 0, 5, 0, moduleId));
    feed(alarmEventMsg(90, rackA, 0, 6, 1, moduleId));
    views.clear();
    feed(alarmEventMsg(91, rackA, 0, 5, 0, moduleId));
    EXPECT_EQ(t.alarm_table[0][0][0].state, -1);
    EXPECT_EQ(views.calls(), QStringList{"setSlotAlarmLed(0,0,0,green)"});
}

TEST_F(AlarmTest, EventsThatNameNoAlarmOfTheRackChangeNothing) {
    feed(alarmEventMsg(90, rackA, 0, 5, 0, moduleId + 1));
    feed(alarmEventMsg(90, rackA, 17, 5, 0, moduleId));
    feed(alarmEventMsg(90, rackA, 0, 5, 6, moduleId));
    feed(alarmEventMsg(90, {10, 0, 0, 9}, 0, 5, 0, moduleId));
    feed(srvMsg({90, 10, 0, 0, 1, 0, 5}));
    for (const AlarmEntry &e : t.alarm_table[0][0])
        ASSERT_EQ(e.state, -1);
    EXPECT_TRUE(views.calls().isEmpty());
}

// Messages that break a count, length or index are dropped with one debug line naming their
// code and why; messages that are only for racks or modules the console does not show are
// ignored without one.
TEST_F(AlarmTest, MalformedMessagesAreDroppedWithOneDebugLine) {
    AlarmWireRecord badSlot = setting(1);
    badSlot.slot = 17;
    AlarmWireRecord negativeSlot = setting(1);
    negativeSlot.slot = -1;
    AlarmWireRecord badAlarm = setting(1);
    badAlarm.alarmIndex = 6;
    AlarmWireRecord badRegister = setting(1);
    badRegister.reg = 256;
    AlarmWireRecord otherModule = setting(1);
    otherModule.moduleId = moduleId + 1;
    struct Case {
        const char *name;
        QByteArray message;
        const char *line; // nullptr: ignored without a line
    };
    const std::vector<Case> cases = {
        {"short code 30", srvMsg({30, 10, 0, 0, 1, 0}),
         "kod=30: message shorter than its value count dropped"},
        {"code 30 values past the end", srvMsg({30, 10, 0, 0, 1, 0, 5, 1}),
         "kod=30: message shorter than its value count dropped"},
        {"code 30 slot 17", registerValuesMsg(rackA, 17, {1}),
         "kod=30: slot 17 out of range, message dropped"},
        {"code 30 slot -1", registerValuesMsg(rackA, -1, {1}),
         "kod=30: slot -1 out of range, message dropped"},
        {"code 30 without values", registerValuesMsg(rackA, 0, {}),
         "kod=30: value count 0 out of range, message dropped"},
        {"code 30 with 257 values", registerValuesMsg(rackA, 0, Words(257, 1)),
         "kod=30: value count 257 out of range, message dropped"},
        {"code 30 for a rack not shown", registerValuesMsg({10, 0, 0, 9}, 0, {1}), nullptr},
        {"code 30 for an empty slot", registerValuesMsg(rackA, 2, {1}), nullptr},
        {"short code 80", srvMsg({80, 1, 10, 0, 0, 1, 0}),
         "kod=80: message shorter than its record count dropped"},
        {"code 80 with a negative count", srvMsg({80, -1}),
         "kod=80: message shorter than its record count dropped"},
        {"code 80 record with slot 17", alarmSettingsMsg({setting(0), badSlot}),
         "kod=80: record 1: slot out of range (slot 17, alarm 1, register 5), record dropped"},
        {"code 80 record with slot -1", alarmSettingsMsg({negativeSlot}),
         "kod=80: record 0: slot out of range (slot -1, alarm 1, register 5), record dropped"},
        {"code 80 record with alarm 6", alarmSettingsMsg({badAlarm}),
         "kod=80: record 0: alarm out of range (slot 0, alarm 6, register 5), record dropped"},
        {"code 80 record with register 256", alarmSettingsMsg({badRegister}),
         "kod=80: record 0: register out of range (slot 0, alarm 1, register 256), record dropped"},
        {"code 80 record for another module", alarmSettingsMsg({otherModule}), nullptr},
        {"short code 90", srvMsg({90, 10, 0, 0, 1, 0, 5}),
         "kod=90: message shorter than 17 words dropped"},
        {"short code 91", srvMsg({91, 10, 0, 0, 1}),
         "kod=91: message shorter than 17 words dropped"},
        {"code 90 slot 17", alarmEventMsg(90, rackA, 17, 5, 0, moduleId),
         "kod=90: slot out of range (slot 17, alarm 0, register 5), message dropped"},
        {"code 91 alarm 6", alarmEventMsg(91, rackA, 0, 5, 6, moduleId),
         "kod=91: alarm out of range (slot 0, alarm 6, register 5), message dropped"},
        {"code 90 alarm -1", alarmEventMsg(90, rackA, 0, 5, -1, moduleId),
         "kod=90: alarm out of range (slot 0, alarm -1, register 5), message dropped"},
        {"code 91 register 256", alarmEventMsg(91, rackA, 0, 256, 0, moduleId),
         "kod=91: register out of range (slot 0, alarm 0, register 256), message dropped"},
        {"code 90 for another module", alarmEventMsg(90, rackA, 0, 5, 0, moduleId + 1), nullptr},
        {"short code 100", srvMsg({100}), "kod=100: message shorter than its first file dropped"},
        {"code 100 with a negative count", srvMsg({100, -1}),
         "kod=100: message shorter than its first file dropped"},
        {"code 100 name past the end", srvMsg({100, 1, 20, 0, 'A'}),
         "kod=100: message shorter than its first file dropped"},
        {"code 100 content past the end", srvMsg({100, 1, 2, 0, 'A', 0, 9, 'x'}),
         "kod=100: message shorter than its first file dropped"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const DebugLog log;
        feed(c.message);
        EXPECT_EQ(log.count("dropped"), c.line ? 1 : 0) << log.lines().join('\n').toStdString();
        if (c.line) {
            EXPECT_EQ(log.count(QString::fromLatin1(c.line)), 1)
                << log.lines().join('\n').toStdString();
        }
        EXPECT_EQ(t.num_init_file_all, 0);
        for (const SlotAlarms &slot : t.alarm_table[0])
            for (const AlarmEntry &e : slot)
                ASSERT_EQ(e.state, -1);
        for (int s = 0; s < SLOTS_PER_RACK; ++s)
            ASSERT_EQ(t.block(0, s).valueCount, 0);
    }
}

using AlarmInitFileTest = HandlerTest;

TEST_F(AlarmInitFileTest, FileNameAndRecords) {
    feed(alarmInitMsg("000A1B2C_A.txt", "Gain;1;L;-1.5;9.25;;Ref;0;D;3;;Last;4;L;1;2;"));
    ASSERT_EQ(t.num_init_file_all, 1);
    const AlarmInitRow &row = t.alarm_init_file[0];
    EXPECT_EQ(row[0].fname, "A1B2C");
    EXPECT_EQ(row[0].fname.toUInt(nullptr, 16), 0xA1B2Cu);
    EXPECT_EQ(row[0].recordCount, 2) << "a record without \";;\" is not counted";
    EXPECT_EQ(row[0].contentLength, 44);
    EXPECT_EQ(row[0].content, "Gain;1;L;-1.5;9.25;;Ref;0;D;3;;Last;4;L;1;2;");
    EXPECT_EQ(row[0].name, "Gain");
    EXPECT_EQ(row[0].reg, 1);
    EXPECT_EQ(row[0].kind, "L");
    EXPECT_DOUBLE_EQ(row[0].lower, -1.5);
    EXPECT_DOUBLE_EQ(row[0].upper, 9.25);
    EXPECT_EQ(row[1].fname, "A1B2C");
    EXPECT_EQ(row[1].kind, "D");
    EXPECT_EQ(row[1].value, 3);
    EXPECT_EQ(row[2].name, "Last");
    EXPECT_DOUBLE_EQ(row[2].upper, 2.0);
}

TEST_F(AlarmInitFileTest, AtMostSixRecordsAndANulEndsTheContent) {
    QByteArray seven;
    for (int i = 0; i < 7; ++i)
        seven += "A" + QByteArray::number(i) + ";" + QByteArray::number(i) + ";D;1;;";
    feed(alarmInitMsg("12_A.txt", seven));
    feed(alarmInitMsg("0034", QByteArray("X;1;D;1;;\0Y;2;D;1;;", 20)));
    ASSERT_EQ(t.num_init_file_all, 2);
    EXPECT_EQ(t.alarm_init_file[0][0].recordCount, 6);
    EXPECT_EQ(t.alarm_init_file[0][5].name, "A5");
    EXPECT_EQ(t.alarm_init_file[1][0].fname, "34");
    EXPECT_EQ(t.alarm_init_file[1][0].recordCount, 1);
    EXPECT_TRUE(t.alarm_init_file[1][1].name.isEmpty());
}

// A message of F files fills the row of its first file and takes F rows; the rows of the
// files that are not read hold no definition.
QByteArray withFileCount(QByteArray message, int16_t count) {
    message[4] = char(count >> 8);
    message[5] = char(count & 0xff);
    return message;
}

TEST_F(AlarmInitFileTest, CounterAdvancesByTheMessagesFileCount) {
    t.alarm_init_file[1][0].fname = "BEEF";
    t.alarm_init_file[2][0].fname = "BEEF";
    feed(withFileCount(alarmInitMsg("0A1_A.txt", "X;1;D;1;;"), 3));
    EXPECT_EQ(t.num_init_file_all, 3);
    EXPECT_EQ(t.alarm_init_file[0][0].fname, "A1");
    EXPECT_EQ(t.alarm_init_file[0][0].recordCount, 1);
    EXPECT_TRUE(t.alarm_init_file[1][0].fname.isEmpty()) << "a definition from before is gone";
    EXPECT_TRUE(t.alarm_init_file[2][0].fname.isEmpty());

    feed(alarmInitMsg("B2_A.txt", "Y;2;D;1;;"));
    EXPECT_EQ(t.num_init_file_all, 4);
    EXPECT_EQ(t.alarm_init_file[3][0].fname, "B2");

    feed(withFileCount(alarmInitMsg("C3_A.txt", "Z;3;D;1;;"), 0));
    EXPECT_EQ(t.num_init_file_all, 4) << "no file, no row";
}

TEST_F(AlarmInitFileTest, FileCountPastTheTableStopsAtItsEnd) {
    const DebugLog log;
    t.num_init_file_all = MAX_ALARM_INIT_FILES - 2;
    t.alarm_init_file[MAX_ALARM_INIT_FILES - 1][0].fname = "BEEF";
    feed(withFileCount(alarmInitMsg("D4_A.txt", "X;1;D;1;;"), 32767));
    EXPECT_EQ(t.num_init_file_all, MAX_ALARM_INIT_FILES);
    EXPECT_EQ(t.alarm_init_file[MAX_ALARM_INIT_FILES - 2][0].fname, "D4");
    EXPECT_TRUE(t.alarm_init_file[MAX_ALARM_INIT_FILES - 1][0].fname.isEmpty());
    EXPECT_EQ(log.count("kod=100: 32767 files pass the end of alarm_init_file"), 1);

    feed(alarmInitMsg("E5_A.txt", "X;1;D;1;;"));
    EXPECT_EQ(t.num_init_file_all, MAX_ALARM_INIT_FILES);
    EXPECT_EQ(log.count("kod=100: alarm_init_file is full, file dropped"), 1);
}

TEST_F(AlarmInitFileTest, FilesBeyondTheTableAreDropped) {
    t.num_init_file_all = MAX_ALARM_INIT_FILES;
    feed(alarmInitMsg("1_A.txt", "X;1;D;1;;"));
    EXPECT_EQ(t.num_init_file_all, MAX_ALARM_INIT_FILES);
}

} // namespace
