#include "console/windows/logfilter.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QTime>

#include <memory>

namespace {

const QDateTime BASE(QDate(2026, 3, 1), QTime(8, 0, 0));
constexpr int RECORDS = MAX_LOG_RECORDS;

// Record i: type i % 4 + 1, slot i % 17, address 10.0.0.(i % 5), one minute after record i - 1.
std::unique_ptr<std::array<LogRecord, MAX_LOG_RECORDS>> mixedRecords() {
    auto records = std::make_unique<std::array<LogRecord, MAX_LOG_RECORDS>>();
    for (int i = 0; i < RECORDS; ++i) {
        LogRecord &r = (*records)[i];
        r.eventType = i % 4 + 1;
        r.slot = i % 17;
        r.ipText = QStringLiteral("10.0.0.%1").arg(i % 5);
        r.dateTime = BASE.addSecs(60 * i);
        r.shown = -1;
    }
    return records;
}

int countShown(const std::array<LogRecord, MAX_LOG_RECORDS> &records, int value) {
    int n = 0;
    for (const LogRecord &r : records)
        n += r.shown == value;
    return n;
}

LogFilter addressFilter() {
    LogFilter f;
    f.criteria[LogByAddress] = true;
    f.addresses = {QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.3")};
    return f;
}

LogFilter slotFilter() {
    LogFilter f;
    f.criteria[LogBySlot] = true;
    f.slotNumbers[0] = f.slotNumbers[16] = true;
    return f;
}

LogFilter typeFilter() {
    LogFilter f;
    f.criteria[LogByEventType] = true;
    f.eventTypes[1] = true; // ALARM CLEAR
    return f;
}

LogFilter dateFilter() {
    LogFilter f;
    f.criteria[LogByDateTime] = true;
    f.from = BASE.addSecs(60 * 100);
    f.to = BASE.addSecs(60 * 199);
    return f;
}

LogFilter allCriteria() {
    LogFilter f = addressFilter();
    const LogFilter s = slotFilter(), t = typeFilter();
    f.criteria = {true, true, true, true};
    f.slotNumbers = s.slotNumbers;
    f.eventTypes = t.eventTypes;
    f.from = BASE.addSecs(60 * 1000);
    f.to = BASE.addSecs(60 * 8999);
    return f;
}

bool expectedAll(int i) {
    const int a = i % 5, s = i % 17, type = i % 4 + 1;
    return (a == 1 || a == 3) && (s == 0 || s == 16) && type == 2 && i >= 1000 && i <= 8999;
}

struct FilterCase {
    const char *name;
    LogFilter filter;
    int passing;
};

TEST(LogFilterTest, TenThousandRecordsByEachCriterionAndAllTogether) {
    int all = 0;
    for (int i = 0; i < RECORDS; ++i)
        all += expectedAll(i);
    ASSERT_GT(all, 0);

    const std::vector<FilterCase> cases = {
        {"addresses", addressFilter(), 4000}, {"slots", slotFilter(), 589 + 588},
        {"event type", typeFilter(), 2500},   {"date range, both ends included", dateFilter(), 100},
        {"all together", allCriteria(), all}, {"no criterion", LogFilter{}, RECORDS},
    };
    for (const FilterCase &c : cases) {
        SCOPED_TRACE(c.name);
        auto records = mixedRecords();
        logRowPassesFilter(c.filter, *records, 0, RECORDS);
        EXPECT_EQ(countShown(*records, 1), c.passing);
        EXPECT_EQ(countShown(*records, 0), RECORDS - c.passing);
    }

    auto records = mixedRecords();
    logRowPassesFilter(allCriteria(), *records, 0, RECORDS);
    for (int i = 0; i < RECORDS; ++i)
        ASSERT_EQ((*records)[i].shown, expectedAll(i) ? 1 : 0) << "record " << i;
}

TEST(LogFilterTest, CriterionWithNothingCheckedInItsListDoesNotApply) {
    LogFilter f;
    f.criteria = {true, true, true, false};
    EXPECT_FALSE(f.anyActive());
    f.criteria = {false, false, false, false};
    f.addresses = {QStringLiteral("10.0.0.1")};
    f.slotNumbers[3] = true;
    f.eventTypes[0] = true;
    EXPECT_FALSE(f.anyActive()) << "lists checked but no criterion selected";
    f.criteria[LogByDateTime] = true;
    EXPECT_TRUE(f.active(LogByDateTime)) << "the date needs only its criterion";
}

TEST(LogFilterTest, RangeOnlyTestsItsRecordsAndReturnsTheLast) {
    auto records = mixedRecords();
    const LogFilter f = typeFilter(); // passes records 1, 5, 9, ...
    EXPECT_TRUE(logRowPassesFilter(f, *records, 5, 6));
    EXPECT_FALSE(logRowPassesFilter(f, *records, 3, 5));
    EXPECT_EQ((*records)[2].shown, -1);
    EXPECT_EQ((*records)[3].shown, 0);
    EXPECT_EQ((*records)[4].shown, 0);
    EXPECT_EQ((*records)[5].shown, 1);
    EXPECT_EQ((*records)[6].shown, -1);
}

TEST(LogFilterTest, DateRangeIncludesBothEndsToTheSecond) {
    const LogFilter f = dateFilter();
    struct Case {
        const char *name;
        QDateTime t;
        bool passes;
    };
    const std::vector<Case> cases = {
        {"at the start", f.from, true},
        {"a second before the start", f.from.addSecs(-1), false},
        {"at the end", f.to, true},
        {"a second after the end", f.to.addSecs(1), false},
        {"no valid time", QDateTime(), false},
    };
    std::array<LogRecord, 1> record;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        record[0].dateTime = c.t;
        EXPECT_EQ(logRowPassesFilter(f, record, 0, 1), c.passes);
    }
}

TEST(LogFilterTest, TypesAndSlotsOutsideTheirRangeNeverMatch) {
    LogFilter f;
    f.criteria[LogByEventType] = f.criteria[LogBySlot] = true;
    f.eventTypes.fill(true);
    f.slotNumbers.fill(true);
    std::array<LogRecord, 1> record;
    record[0].slot = 3;
    for (const int type : {0, 5, -1}) {
        record[0].eventType = type;
        EXPECT_FALSE(logRowPassesFilter(f, record, 0, 1)) << "type " << type;
    }
    record[0].eventType = 4;
    EXPECT_TRUE(logRowPassesFilter(f, record, 0, 1));
    for (const int slot : {-1, 17}) {
        record[0].slot = slot;
        EXPECT_FALSE(logRowPassesFilter(f, record, 0, 1)) << "slot " << slot;
    }
}

TEST(LogFilterTest, EventTypeNamesWithAnEmptyNameOutsideOneToFour) {
    const std::vector<std::pair<int, QString>> cases = {{1, QStringLiteral("ALARM")},
                                                        {2, QStringLiteral("ALARM CLEAR")},
                                                        {3, QStringLiteral("DEVICE LOST")},
                                                        {4, QStringLiteral("DEVICE PRESENT")},
                                                        {0, QString()},
                                                        {5, QString()},
                                                        {-3, QString()}};
    for (const auto &[type, name] : cases)
        EXPECT_EQ(eventTypeName(type), name) << "type " << type;
}

TEST(LogSettingsTextTest, ChecksTextRoundTripsAndMissingCharactersAreUnchecked) {
    const std::array<bool, 4> checks = {true, false, false, true};
    const QString text = checksText(checks);
    EXPECT_EQ(text, QStringLiteral("1001"));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(checkAt(text, i), checks[i]);
    EXPECT_FALSE(checkAt(text, 4));
    EXPECT_FALSE(checkAt(QString(), 0));
    EXPECT_FALSE(checkAt(QStringLiteral("x"), 0));
}

TEST(LogSettingsTextTest, AddressListRoundTripsAndStopsAtMalformedEntries) {
    const std::vector<LogAddressEntry> entries = {{QStringLiteral("10.1.1.1"), true},
                                                  {QStringLiteral("10.1.1.22"), false}};
    const QString text = formatLogAddresses(entries);
    EXPECT_EQ(text, QStringLiteral("10.1.1.1,1;10.1.1.22,0;"));
    const std::vector<LogAddressEntry> back = parseLogAddresses(text);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].text, entries[0].text);
    EXPECT_TRUE(back[0].checked);
    EXPECT_EQ(back[1].text, entries[1].text);
    EXPECT_FALSE(back[1].checked);

    struct Case {
        const char *text;
        size_t entries;
    };
    const std::vector<Case> cases = {{"", 0},
                                     {"10.1.1.1", 0},
                                     {"10.1.1.1,1", 0},
                                     {"10.1.1.1,1;10.1.1.2,", 1},
                                     {"10.1.1.1,1;10.1.1.2,7;", 1},
                                     {"10.1.1.1,1x10.1.1.2,0;", 0}};
    for (const Case &c : cases)
        EXPECT_EQ(parseLogAddresses(QString::fromLatin1(c.text)).size(), c.entries) << c.text;

    QString many;
    for (int i = 0; i < 60; ++i)
        many += QStringLiteral("10.0.0.%1,1;").arg(i);
    EXPECT_EQ(parseLogAddresses(many).size(), size_t(LOG_STORED_ADDRESSES));
}

TEST(LogSettingsTextTest, StoredFilterFitsOnlyTheSameAddressList) {
    const QStringList list = {QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2")};
    const std::vector<LogAddressEntry> same = {{list[0], true}, {list[1], false}};
    const std::vector<LogAddressEntry> shorter = {{list[0], true}};
    const std::vector<LogAddressEntry> other = {{list[1], true}, {list[0], false}};
    const std::vector<LogAddressEntry> longer = {
        {list[0], true}, {list[1], false}, {QStringLiteral("10.0.0.3"), true}};
    const std::vector<LogAddressEntry> none;
    struct Case {
        const char *name;
        const std::vector<LogAddressEntry> &stored;
        bool fits;
    };
    const std::vector<Case> cases = {
        {"same list", same, true},
        {"fewer entries", shorter, true},
        {"nothing stored", none, true},
        {"other order", other, false},
        {"more entries than items", longer, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(logFilterFits(c.stored, list), c.fits) << c.name;
}

TEST(LogSettingsTextTest, DateTimeRangeTextRoundTripsToTheSecond) {
    const QDateTime from(QDate(2026, 1, 31), QTime(23, 59, 58));
    const QDateTime to(QDate(2026, 2, 2), QTime(0, 0, 1));
    const QString text = formatLogDateTime(from, to);
    EXPECT_EQ(text, QStringLiteral("31/01/2026 23:59:58;02/02/2026 00:00:01;"));
    const auto back = parseLogDateTime(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->first, from);
    EXPECT_EQ(back->second, to);
    for (const char *bad : {"", "31/01/2026 23:59:58", "31/02/2026 10:00:00;02/02/2026 00:00:01;",
                            "garbage;garbage;"})
        EXPECT_FALSE(parseLogDateTime(QString::fromLatin1(bad))) << bad;
}

TEST(LogSettingsTextTest, TitleShowsTheEndOnlyWhenAsked) {
    const QDateTime from(QDate(2026, 1, 5), QTime(1, 2, 3));
    const QDateTime to(QDate(2026, 2, 5), QTime(4, 5, 6));
    EXPECT_EQ(logTitle(from, to, false), QStringLiteral("Log from  05/01/2026 01:02:03"));
    EXPECT_EQ(logTitle(from, to, true),
              QStringLiteral("Log from  05/01/2026 01:02:03  -  05/02/2026 04:05:06"));
}

} // namespace
