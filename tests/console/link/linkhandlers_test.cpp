#include "handlerfixture.h"

#include "debuglog.h"

#include "console/link/consoletext.h"
#include "console/link/globals.h"
#include "console/link/rings.h"

#include <array>

namespace {

const Ip rackA{10, 0, 0, 1};
const Ip rackB{10, 0, 0, 2};
const Ip rackC{10, 0, 0, 3};

std::vector<Ip> addresses(int count) {
    std::vector<Ip> list;
    for (int i = 0; i < count; ++i)
        list.push_back({10, 1, i / 256, i % 256});
    return list;
}

QStringList texts(const RackAddressTable &table) {
    QStringList list;
    for (int i = 0; i < table.count; ++i)
        list.append(table.entries[i].text);
    return list;
}

using AlarmResetTest = HandlerTest;

TEST_F(AlarmResetTest, ResetsAlarmsHidesEveryRackAndStoresTheList) {
    addRack(rackA, {1});
    addRack(rackB, {1});
    AlarmEntry &e = t.alarm_table[1][4][3];
    e.name = "Gain";
    e.state = 1;
    e.alarm_set = 1;
    e.snmp = 0;
    e.rackIndex = 0;
    e.viewState3 = 0;
    t.num_init_file_all = 3;

    feed(addressListMsg(110, {rackC, {-1, 300, 0, 7}}));

    EXPECT_EQ(e.name, "");
    EXPECT_EQ(e.state, -1);
    EXPECT_EQ(e.alarm_set, 0);
    EXPECT_EQ(e.snmp, 1);
    EXPECT_EQ(e.viewState3, -1);
    EXPECT_EQ(e.rackIndex, 1);
    EXPECT_EQ(e.slotIndex, 4);
    EXPECT_EQ(e.alarmIndex, 3);
    EXPECT_EQ(t.num_init_file_all, 0);
    EXPECT_EQ(t.rack[0].absent, 1);
    EXPECT_EQ(t.rack[1].absent, 1);
    EXPECT_EQ(t.visibleRackCount, 0);
    EXPECT_EQ(t.currnrack, -1);
    EXPECT_EQ(t.rackPanelHeight, 2 * 166 - 2 * 161);
    EXPECT_EQ(texts(ip_all), (QStringList{"10.0.0.3", "-1.300.0.7"}));
    EXPECT_EQ(ip_all.entries[1].ip[1], 300);
    EXPECT_EQ(texts(ip_all_old), texts(ip_all));
    EXPECT_EQ(views.calls("resetAlarmIndicators").size(), 1);
    EXPECT_EQ(views.calls("setRackRowsVisible"),
              (QStringList{"setRackRowsVisible(0,0)", "setRackRowsVisible(1,0)"}));
    // The two hidden racks resize the panel and rebuild the tree once, when the chunk has been
    // handled.
    EXPECT_EQ(views.calls().mid(views.calls().size() - 3),
              (QStringList{"LogDlgInit()", "resizeRackPanel(10)", "buildNetworkTree()"}));
    EXPECT_EQ(views.calls("buildNetworkTree").size(), 1);
}

TEST_F(AlarmResetTest, ListsOf255AddressesAreDroppedAnd254Kept) {
    for (int kod : {110, 120}) {
        SCOPED_TRACE(kod);
        RackAddressTable &table = kod == 110 ? ip_all : ip_sel;
        addRack(rackA, {1});
        feed(addressListMsg(kod, addresses(255)));
        EXPECT_EQ(table.count, 0);
        EXPECT_EQ(t.rack[0].absent, 0) << "the dropped list hides nothing";
        EXPECT_TRUE(views.calls().isEmpty());
        feed(addressListMsg(kod, addresses(254)));
        EXPECT_EQ(table.count, 254);
        EXPECT_EQ(table.entries[253].text, "10.1.0.253");
    }
}

using RackSelectionTest = HandlerTest;

TEST_F(RackSelectionTest, DropsOnlyShownRacksThatLeftTheSelection) {
    addRack(rackA, {1});
    addRack(rackB, {1});
    addRack(rackC, {1});
    feed(addressListMsg(120, {rackA, rackB, rackC}));
    feed(addressListMsg(120, {rackB, rackA}));
    EXPECT_EQ(t.rack[2].absent, 1);
    EXPECT_EQ(views.calls("setRackRowsVisible"), QStringList{"setRackRowsVisible(2,0)"});
    EXPECT_EQ(t.rackPanelHeight, 3 * 166 - 161);
    EXPECT_EQ(t.visibleRackCount, 2);

    views.clear();
    feed(addressListMsg(120, {{10, 0, 0, 9}}));
    EXPECT_EQ(views.calls("setRackRowsVisible"),
              (QStringList{"setRackRowsVisible(0,0)", "setRackRowsVisible(1,0)"}))
        << "the rack dropped before is not dropped again";
    EXPECT_EQ(t.rackPanelHeight, 3 * 166 - 3 * 161);
    EXPECT_EQ(texts(ip_sel), QStringList{"10.0.0.9"});
    EXPECT_EQ(texts(ip_sel_old), QStringList{"10.0.0.9"});
    EXPECT_EQ(views.calls().mid(views.calls().size() - 3),
              (QStringList{"SettingDlgInit()", "resizeRackPanel(15)", "buildNetworkTree()"}));
    EXPECT_EQ(views.calls("buildNetworkTree").size(), 1);

    views.clear();
    feed(rackStructureMsg(rackC, {1}));
    EXPECT_EQ(t.rack[2].absent, 0) << "a dropped rack is shown by its next structure";
}

using PulseAnswerTest = HandlerTest;

TEST_F(PulseAnswerTest, HandlerLeavesTheCountToTheLinkThread) {
    to_srv_130 = 1;
    srv_pulse_answered = 1;
    for (int i = 0; i < 3; ++i)
        feed(srvMsg({130}));
    EXPECT_EQ(to_srv_130, 1) << "counted when the link thread read it";
    EXPECT_TRUE(takeSent().empty());
}

TEST_F(PulseAnswerTest, NoRequestBeforeTheLinkThreadSawAnAnswerOnThisConnection) {
    // An answer the window thread reaches from an old connection.
    srv_log_requested = -1;
    srv_pulse_answered = -1;
    feed(srvMsg({130}));
    EXPECT_EQ(srv_log_requested, -1);
    EXPECT_TRUE(takeSent().empty());
    EXPECT_TRUE(views.calls("clearLogTable").isEmpty());
}

TEST_F(PulseAnswerTest, FirstAnswerAfterAConnectRequestsTheLogOnce) {
    logFrom = QDateTime(QDate(2026, 11, 10), QTime(9, 8, 7));
    logTo = QDateTime(QDate(2026, 12, 10), QTime(23, 59, 58));
    logToSet = true; // the operator's range
    t.logRecIndex = 17;
    srv_log_requested = -1;
    srv_pulse_answered = 1;
    feed(srvMsg({130}) + srvMsg({130}));
    const std::vector<QByteArray> sent = takeSent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], rawWords({13, 140, 2026, 11, 10, 9, 8, 7, 2026, 12, 10, 23, 59, 58}));
    EXPECT_EQ(sent[0].size(), 28);
    EXPECT_EQ(srv_log_requested, 1);
    EXPECT_EQ(t.logRecIndex, 0);
    EXPECT_EQ(views.calls("clearLogTable").size(), 1);
}

// The console started an hour ago: a request after that wait asks up to its own time, unless
// the operator confirmed an end.
TEST_F(PulseAnswerTest, RequestEndsAtItsTimeUnlessTheOperatorSetTheEnd) {
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime start = now.addSecs(-3600).addMSecs(-now.time().msec());
    for (const bool operatorsEnd : {false, true}) {
        SCOPED_TRACE(operatorsEnd ? "end set by the operator" : "end follows the time");
        setLogRangeToMonthBefore(start);
        logToSet = operatorsEnd;
        srv_log_requested = -1;
        srv_pulse_answered = 1;
        const QDateTime before = QDateTime::currentDateTime();
        feed(srvMsg({130}));
        const std::vector<QByteArray> sent = takeSent();
        ASSERT_EQ(sent.size(), 1u);
        ASSERT_EQ(sent[0].size(), 28);
        std::array<int16_t, 14> words{};
        ConvertByteToShortBuffer(sent[0].constData(), 28, words.data(), 14);
        const QDateTime from(QDate(words[2], words[3], words[4]),
                             QTime(words[5], words[6], words[7]));
        const QDateTime end(QDate(words[8], words[9], words[10]),
                            QTime(words[11], words[12], words[13]));
        EXPECT_EQ(from, logFrom);
        if (operatorsEnd) {
            EXPECT_EQ(end, start);
        } else {
            EXPECT_GE(end, before.addMSecs(-before.time().msec()));
            EXPECT_LE(end, QDateTime::currentDateTime());
            EXPECT_GT(logTo, start) << "the range's end moved with the request";
        }
    }
}

TEST_F(PulseAnswerTest, RequestThatFindsTheRingFullIsTriedAgain) {
    for (int i = 0; i < RING_ENTRIES; ++i)
        ASSERT_TRUE(queueToSrv("\0\1\0\202", 4));
    srv_log_requested = -1;
    srv_pulse_answered = 1;
    feed(srvMsg({130}));
    EXPECT_EQ(srv_log_requested, -1);
    takeSent();
    feed(srvMsg({130}));
    EXPECT_EQ(srv_log_requested, 1);
    EXPECT_EQ(takeSent().size(), 1u);
}

using LogRecordTest = HandlerTest;

// Twelve thousand records whose three texts are 8,000 characters each: the ring keeps its
// 10,000 records, each text cut to its bound with the mark, holding no more than it shows.
TEST_F(LogRecordTest, LongTextsAreCutAndTheRingStaysBounded) {
    constexpr int RECORDS = 12000;
    const QString longText(8000, QLatin1Char('x'));
    const QByteArray message =
        logRecordMsg({1, 2, 2026, 3, 4, 5}, 1, longText, rackA, longText, 3, longText);
    for (int i = 0; i < RECORDS; ++i)
        feed(message);
    EXPECT_EQ(t.logRecIndex, RECORDS - MAX_LOG_RECORDS);
    EXPECT_EQ(views.calls("addLogRow").size(), RECORDS);
    const QString mark{QChar(RECORD_TEXT_CUT_MARK)};
    qsizetype held = 0;
    for (const LogRecord &r : t.logRecords) {
        for (const QString *text : {&r.alarmText, &r.frameText, &r.moduleName}) {
            ASSERT_EQ(text->size(), MAX_RECORD_TEXT_CHARS);
            ASSERT_TRUE(text->endsWith(mark));
            held += text->capacity();
        }
        EXPECT_EQ(r.alarmTextLength, 8000) << "the record keeps the length it came with";
    }
    EXPECT_LE(held, qsizetype(3) * MAX_LOG_RECORDS * MAX_RECORD_TEXT_CHARS);
}

TEST_F(LogRecordTest, RecordIsStoredDayMonthYearAndShown) {
    feed(
        logRecordMsg({25, 12, 2026, 13, 14, 15}, 2, "NONE", {10, 0, 0, -5}, "Frame 1", 16, "NONE"));
    feed(logRecordMsg({1, 2, 2027, 0, 0, 0}, 1, "Over", rackA, "", 3, "PSU"));
    ASSERT_EQ(t.logRecIndex, 2);
    const LogRecord &r = t.logRecords[0];
    EXPECT_EQ(r.day, 25);
    EXPECT_EQ(r.month, 12);
    EXPECT_EQ(r.year, 2026);
    EXPECT_EQ(r.dateTime, QDateTime(QDate(2026, 12, 25), QTime(13, 14, 15)));
    EXPECT_EQ(r.eventType, 2);
    EXPECT_EQ(r.alarmText, "");
    EXPECT_EQ(r.alarmTextLength, 4);
    EXPECT_EQ(r.ipText, "10.0.0.-5");
    EXPECT_EQ(r.frameText, "Frame 1");
    EXPECT_EQ(r.slot, 16);
    EXPECT_EQ(r.moduleName, "");
    EXPECT_EQ(r.shown, -1);
    EXPECT_EQ(t.logRecords[1].alarmText, "Over");
    EXPECT_EQ(t.logRecords[1].moduleName, "PSU");
    EXPECT_EQ(views.calls("addLogRow").size(), 2);
}

TEST_F(LogRecordTest, TenThousandAndFirstRecordLandsInSlotZero) {
    t.logRecIndex = MAX_LOG_RECORDS;
    feed(logRecordMsg({1, 1, 2026, 0, 0, 0}, 3, "A", rackA, "F", 1, "M"));
    EXPECT_EQ(t.logRecords[0].eventType, 3);
    EXPECT_EQ(t.logRecIndex, 1);
}

// Each malformed list or record is dropped with one debug line naming its code and why.
TEST_F(LogRecordTest, MalformedMessagesAreDroppedWithOneDebugLine) {
    const QByteArray whole = logRecordMsg({1, 1, 2026, 0, 0, 0}, 3, "A", rackA, "F", 1, "MOD");
    Words words;
    for (int i = 2; i + 1 < whole.size(); i += 2)
        words.push_back(int16_t(uint8_t(whole[i]) << 8 | uint8_t(whole[i + 1])));
    const auto withWord = [&](std::size_t index, int value) {
        Words changed = words;
        changed[index - 1] = value; // words hold the message from word 1 on
        return srvMsg(changed);
    };
    const Words truncated(words.begin(), words.end() - 1);
    struct Case {
        const char *name;
        QByteArray message;
        const char *line;
    };
    const char *const recordDropped =
        "kod=140: a text length is negative or runs past the message's end, record dropped";
    const std::vector<Case> cases = {
        {"code 140 cut short", srvMsg(truncated), recordDropped},
        {"code 140 alarm text longer than the message", withWord(10, 200), recordDropped},
        {"code 140 frame text longer than the message", withWord(16, 200), recordDropped},
        {"code 140 module name longer than the message", withWord(23, 4), recordDropped},
        {"code 140 negative alarm text length", withWord(10, -1), recordDropped},
        {"short code 110", srvMsg({110, 2, 10, 0, 0, 1}),
         "kod=110: message shorter than its address count dropped"},
        {"short code 120", srvMsg({120, 1, 10, 0}),
         "kod=120: message shorter than its address count dropped"},
        {"code 120 with a negative count", srvMsg({120, -3}),
         "kod=120: message shorter than its address count dropped"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const DebugLog log;
        feed(c.message);
        EXPECT_EQ(log.count("dropped"), 1) << log.lines().join('\n').toStdString();
        EXPECT_EQ(log.count(QString::fromLatin1(c.line)), 1)
            << log.lines().join('\n').toStdString();
        EXPECT_EQ(t.logRecIndex, 0);
        EXPECT_TRUE(views.calls().isEmpty());
    }
    feed(srvMsg(words));
    EXPECT_EQ(t.logRecIndex, 1) << "the whole record is stored";
}

} // namespace
