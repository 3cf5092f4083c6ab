#include "console/windows/logdialog.h"

#include "console/windows/windowplacement.h"
#include "console/link/consoletables.h"
#include "console/link/globals.h"
#include "console/link/rings.h"
#include "console/link/settingdlg.h"
#include "console/link/srvmessage.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QDateTimeEdit>
#include <QImage>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <array>
#include <functional>
#include <memory>
#include <tuple>

namespace {

const QDateTime RANGE_FROM(QDate(2026, 2, 10), QTime(9, 30, 15));
const QDateTime RANGE_TO(QDate(2026, 3, 10), QTime(9, 30, 15));

struct Event {
    QDateTime t;
    int type;
    QString ip;
    int slot;
    QString module;
};

void drainOutboundRing() {
    while (!outboundRing().waitingMessage().isEmpty())
        outboundRing().freeMessage();
}

class LogDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        logFrom = RANGE_FROM;
        logTo = RANGE_TO;
        logToSet = false;
        for (QString *s :
             {&logFilterOnOff, &logSelectFilter, &logDateTime, &logEventType, &logIPs, &logSlots})
            s->clear();
        ip_all.clear();
        drainOutboundRing();
        makeDialog();
    }
    void TearDown() override {
        drainOutboundRing();
        settingFileName = savedSettingFileName;
    }

    // The settings file is written to and read from `dir` until the test ends.
    void useSettingsFileIn(const QTemporaryDir &dir) {
        ASSERT_TRUE(dir.isValid());
        settingFileName = dir.filePath(QStringLiteral("settings.txt"));
    }
    // The six log settings strings, in the settings file's order.
    static QStringList logSettings() {
        return {logFilterOnOff, logSelectFilter, logDateTime, logEventType, logIPs, logSlots};
    }

    void makeDialog() {
        dialog.reset();
        dialog = std::make_unique<LogDialog>(*tables);
        table = dialog->findChild<QTableWidget *>(QStringLiteral("logTable"));
        ipList = dialog->findChild<QListWidget *>(QStringLiteral("logIpList"));
        slotList = dialog->findChild<QListWidget *>(QStringLiteral("logSlotList"));
        typeList = dialog->findChild<QListWidget *>(QStringLiteral("logTypeList"));
        criteriaList = dialog->findChild<QListWidget *>(QStringLiteral("logCriteriaList"));
        fromEdit = dialog->findChild<QDateTimeEdit *>(QStringLiteral("logFromEdit"));
        toEdit = dialog->findChild<QDateTimeEdit *>(QStringLiteral("logToEdit"));
        filterOn = dialog->findChild<QPushButton *>(QStringLiteral("filterOnBtn"));
        filterOff = dialog->findChild<QPushButton *>(QStringLiteral("filterOffBtn"));
        errorBox = dialog->findChild<QMessageBox *>(QStringLiteral("dateRangeErrorBox"));
        confirmBox = dialog->findChild<QMessageBox *>(QStringLiteral("dateRangeConfirmBox"));
        yes = dialog->findChild<QPushButton *>(QStringLiteral("logDtYesBtn"));
        cansel = dialog->findChild<QPushButton *>(QStringLiteral("logDtCanselBtn"));
        ASSERT_TRUE(table && ipList && slotList && typeList && criteriaList && fromEdit && toEdit &&
                    filterOn && filterOff && errorBox && confirmBox && yes && cansel);
    }

    // What the code-140 handler does: store the record at logRecIndex, show it, advance.
    void receive(const Event &e) {
        if (tables->logRecIndex > MAX_LOG_RECORDS - 1)
            tables->logRecIndex = 0;
        LogRecord &r = tables->logRecords[tables->logRecIndex];
        r = LogRecord{};
        r.dateTime = e.t;
        r.eventType = e.type;
        // The handler keeps the four address words and their signed texts joined by ".".
        const QStringList words = e.ip.split(QLatin1Char('.'));
        for (int i = 0; i < 4 && i < words.size(); ++i)
            r.ip[std::size_t(i)] = words[i].toInt();
        r.ipText = e.ip;
        r.slot = e.slot;
        r.moduleName = e.module;
        r.alarmText = QStringLiteral("alarm");
        r.frameText = QStringLiteral("frame");
        r.shown = -1;
        dialog->addLogRow();
        ++tables->logRecIndex;
    }

    // Record i: type i % 4 + 1, slot i % 17, address 10.0.0.(i % 5), a minute after record i - 1.
    void receiveMixed(int count) {
        for (int i = 0; i < count; ++i)
            receive({RANGE_FROM.addSecs(60 * i), i % 4 + 1, QStringLiteral("10.0.0.%1").arg(i % 5),
                     i % 17, QStringLiteral("MOD")});
    }

    static void click(QListWidget *list, int row) {
        QListWidgetItem *item = list->item(row);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        emit list->itemClicked(item);
    }

    int visibleRows(int rows) const {
        int n = 0;
        for (int r = 0; r < rows; ++r)
            n += !table->isRowHidden(r);
        return n;
    }

    void setAddresses(const QStringList &texts) {
        ip_all.clear();
        for (const QString &t : texts)
            ip_all.entries[ip_all.count++].text = t;
    }

public:
    std::unique_ptr<ConsoleTables> tables = ConsoleTables::create();
    std::unique_ptr<LogDialog> dialog;
    const QString savedSettingFileName = settingFileName;
    QTableWidget *table = nullptr;
    QListWidget *ipList = nullptr;
    QListWidget *slotList = nullptr;
    QListWidget *typeList = nullptr;
    QListWidget *criteriaList = nullptr;
    QDateTimeEdit *fromEdit = nullptr;
    QDateTimeEdit *toEdit = nullptr;
    QPushButton *filterOn = nullptr;
    QPushButton *filterOff = nullptr;
    QMessageBox *errorBox = nullptr;
    QMessageBox *confirmBox = nullptr;
    QPushButton *yes = nullptr;
    QPushButton *cansel = nullptr;
};

TEST_F(LogDialogTest, BuildsTheFilterPanelAndTheFullTable) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Log"));
    EXPECT_EQ(table->rowCount(), LOG_TABLE_ROWS);
    EXPECT_EQ(table->columnCount(), LOG_TABLE_COLUMNS);
    EXPECT_EQ(slotList->count(), 17);
    EXPECT_EQ(slotList->item(16)->text(), QStringLiteral("16"));
    EXPECT_EQ(typeList->item(3)->text(), QStringLiteral("DEVICE PRESENT"));
    EXPECT_EQ(criteriaList->item(0)->text(), QStringLiteral("IP adress"));
    EXPECT_EQ(criteriaList->item(3)->text(), QStringLiteral("Date Time"));
    EXPECT_TRUE(filterOff->isChecked());
    EXPECT_EQ(fromEdit->dateTime(), RANGE_FROM);
    EXPECT_EQ(toEdit->dateTime(), RANGE_TO);
    EXPECT_EQ(confirmBox->text(), QStringLiteral("REALLY CHANGE DATE-TIME RANGE?"));
    EXPECT_EQ(errorBox->text(), QStringLiteral("ATTENTION:   ERROR DATE-TIME RANGE!"));
}

TEST_F(LogDialogTest, RowsNeverFilledLookAndReadAsEmptiedRows) {
    // A row's cells are made when it is first filled; before that the table shows the same.
    const QImage fresh = table->grab().toImage();
    const QModelIndex lastCell = table->model()->index(LOG_TABLE_ROWS - 1, LOG_TABLE_COLUMNS - 1);
    EXPECT_TRUE(lastCell.data().toString().isEmpty());
    EXPECT_TRUE(lastCell.flags().testFlag(Qt::ItemIsSelectable));
    receiveMixed(3);
    EXPECT_NE(table->grab().toImage(), fresh);
    dialog->clearLogTable();
    EXPECT_EQ(table->grab().toImage(), fresh);
}

TEST_F(LogDialogTest, RowsShowTheRecordsTextsAndNewAddresses) {
    receive({QDateTime(QDate(2026, 3, 1), QTime(7, 8, 9)), 3, QStringLiteral("10.0.0.7"), 5,
             QStringLiteral("PSU")});
    receive({QDateTime(QDate(2026, 3, 2), QTime(0, 0, 0)), 9, QStringLiteral("10.0.0.7"), 6,
             QString()});
    EXPECT_EQ(dialog->logRowIndex(), 2);
    const QStringList row0 = {QStringLiteral("01/03/2026 07:08:09"),
                              QStringLiteral("DEVICE LOST"),
                              QStringLiteral("alarm"),
                              QStringLiteral("10.0.0.7"),
                              QStringLiteral("frame"),
                              QStringLiteral("5"),
                              QStringLiteral("PSU")};
    for (int c = 0; c < LOG_TABLE_COLUMNS; ++c)
        EXPECT_EQ(table->item(0, c)->text(), row0[c]) << "column " << c;
    EXPECT_EQ(table->item(1, 1)->text(), QString()) << "a type outside 1..4 has no name";
    EXPECT_EQ(table->item(1, 5)->text(), QString()) << "no slot without a module name";
    ASSERT_EQ(ipList->count(), 1) << "an address is listed once";
    EXPECT_EQ(ipList->item(0)->text(), QStringLiteral("10.0.0.7"));
}

TEST_F(LogDialogTest, OnlyValidAddressesAreListedButEveryRecordIsShown) {
    const struct {
        const char *address;
        bool listed;
    } cases[] = {
        {"10.0.0.7", true},       {"0.0.0.0", true},   {"255.255.255.255", true},
        {"127.0.0.300", false},   {"-5.0.0.1", false}, {"10.256.0.1", false},
        {"-32768.0.0.-1", false}, {"10.0.0.7", false}, // listed once
    };
    QStringList expected;
    int row = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.address);
        const QString address = QString::fromLatin1(c.address);
        receive({RANGE_FROM, 1, address, 0, QStringLiteral("PSU")});
        if (c.listed)
            expected.append(address);
        EXPECT_EQ(table->item(row, 3)->text(), address) << "the row shows the record's address";
        ++row;
    }
    QStringList listed;
    for (int i = 0; i < ipList->count(); ++i)
        listed.append(ipList->item(i)->text());
    EXPECT_EQ(listed, expected);
}

TEST_F(LogDialogTest, TheAddressListStopsGrowingAtItsLimitUnderEverNewAddresses) {
    setAddresses({QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2")});
    dialog->LogDlgInit();
    // Each record brings a new valid address; many more than the list may hold.
    const int records = LOG_LIST_ADDRESSES + 500;
    for (int i = 0; i < records; ++i)
        receive({RANGE_FROM.addSecs(i), 1, QStringLiteral("10.1.%1.%2").arg(i / 250).arg(i % 250),
                 0, QString()});
    EXPECT_EQ(ipList->count(), LOG_LIST_ADDRESSES);
    EXPECT_EQ(ipList->item(0)->text(), QStringLiteral("10.0.0.1")) << "the rack list stays";
    EXPECT_EQ(dialog->logRowIndex(), records) << "every record still has its row";
    EXPECT_EQ(table->item(records - 1, 3)->text(),
              QStringLiteral("10.1.%1.%2").arg((records - 1) / 250).arg((records - 1) % 250));
    // A new rack list starts the list again from the racks.
    dialog->LogDlgInit();
    EXPECT_EQ(ipList->count(), 2);
}

TEST_F(LogDialogTest, TheRecordAfterTenThousandEmptiesTheTableAndTakesRowZero) {
    receiveMixed(MAX_LOG_RECORDS);
    EXPECT_EQ(table->item(MAX_LOG_RECORDS - 1, 0)->text().isEmpty(), false);
    receive({RANGE_TO, 4, QStringLiteral("10.9.9.9"), 2, QStringLiteral("LAST")});
    EXPECT_EQ(dialog->logRowIndex(), 1);
    EXPECT_EQ(tables->logRecIndex, 1);
    EXPECT_EQ(table->item(0, 6)->text(), QStringLiteral("LAST"));
    EXPECT_TRUE(table->item(1, 0)->text().isEmpty());
    EXPECT_TRUE(table->item(MAX_LOG_RECORDS - 1, 0)->text().isEmpty());
}

TEST_F(LogDialogTest, FilterOnHidesRowsByEachCriterionAndAllTogether) {
    // A full table; the editors' range holds records 10 .. 109, both ends included.
    constexpr int ROWS = MAX_LOG_RECORDS;
    const auto inRange = [](int i) { return i >= 10 && i <= 109; };
    struct Case {
        const char *name;
        std::vector<std::pair<QListWidget * LogDialogTest::*, int>> clicks;
        std::function<bool(int)> passes;
    };
    const std::vector<Case> cases = {
        {"address 10.0.0.1",
         {{&LogDialogTest::ipList, 1}, {&LogDialogTest::criteriaList, 0}},
         [](int i) { return i % 5 == 1; }},
        {"slots 0 and 16",
         {{&LogDialogTest::slotList, 0},
          {&LogDialogTest::slotList, 16},
          {&LogDialogTest::criteriaList, 1}},
         [](int i) { return i % 17 == 0 || i % 17 == 16; }},
        {"DEVICE LOST",
         {{&LogDialogTest::typeList, 2}, {&LogDialogTest::criteriaList, 2}},
         [](int i) { return i % 4 + 1 == 3; }},
        {"date range", {{&LogDialogTest::criteriaList, 3}}, inRange},
        {"all together",
         {{&LogDialogTest::ipList, 1},
          {&LogDialogTest::slotList, 4},
          {&LogDialogTest::slotList, 16},
          {&LogDialogTest::typeList, 1},
          {&LogDialogTest::criteriaList, 0},
          {&LogDialogTest::criteriaList, 1},
          {&LogDialogTest::criteriaList, 2},
          {&LogDialogTest::criteriaList, 3}},
         [&](int i) {
             return i % 5 == 1 && (i % 17 == 4 || i % 17 == 16) && i % 4 + 1 == 2 && inRange(i);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        makeDialog();
        tables->logRecIndex = 0;
        receiveMixed(ROWS);
        fromEdit->setDateTime(RANGE_FROM.addSecs(60 * 10));
        toEdit->setDateTime(RANGE_FROM.addSecs(60 * 109));
        for (const auto &[list, row] : c.clicks)
            click(this->*list, row);
        filterOn->click();
        EXPECT_TRUE(dialog->filterOn());
        EXPECT_EQ(logFilterOnOff, QStringLiteral("1"));
        int expected = 0;
        for (int r = 0; r < ROWS; ++r) {
            expected += c.passes(r);
            ASSERT_EQ(table->isRowHidden(r), !c.passes(r)) << "row " << r;
        }
        ASSERT_GT(expected, 0);

        filterOff->click();
        EXPECT_FALSE(dialog->filterOn());
        EXPECT_EQ(logFilterOnOff, QStringLiteral("0"));
        EXPECT_EQ(visibleRows(LOG_TABLE_ROWS), LOG_TABLE_ROWS);
        EXPECT_EQ(tables->logRecords[0].shown, -1);
    }
}

TEST_F(LogDialogTest, FilterOnWithoutAnActiveCriterionTurnsTheFilterOff) {
    receiveMixed(20);
    click(typeList, 0);     // a type is checked, but its criterion is not
    click(criteriaList, 1); // the slot criterion is checked, but no slot
    filterOn->click();
    EXPECT_FALSE(dialog->filterOn());
    EXPECT_TRUE(filterOff->isChecked());
    EXPECT_EQ(logFilterOnOff, QStringLiteral("0"));
    EXPECT_EQ(visibleRows(20), 20);
}

TEST_F(LogDialogTest, ChangingAListWhileTheFilterIsOnFiltersAgainAndStoresTheChecks) {
    receiveMixed(40);
    click(typeList, 0);
    click(criteriaList, 2);
    filterOn->click();
    EXPECT_EQ(visibleRows(40), 10);
    click(typeList, 3);
    EXPECT_EQ(visibleRows(40), 20);
    EXPECT_EQ(logEventType, QStringLiteral("1001"));
    EXPECT_EQ(logSelectFilter, QStringLiteral("0010"));
    click(criteriaList, 2); // no criterion left: the filter goes off, every row shows
    EXPECT_FALSE(dialog->filterOn());
    EXPECT_EQ(visibleRows(40), 40);
}

TEST_F(LogDialogTest, RecordsArrivingAfterAClearObeyTheFilter) {
    receiveMixed(8); // types 1, 2, 3, 4, 1, 2, 3, 4
    click(typeList, 0);
    click(criteriaList, 2);
    filterOn->click();
    ASSERT_TRUE(table->isRowHidden(1));
    dialog->clearLogTable();
    EXPECT_EQ(dialog->logRowIndex(), 0);
    EXPECT_EQ(tables->logRecIndex, 0);
    EXPECT_TRUE(table->item(0, 0)->text().isEmpty());

    receive({RANGE_TO, 3, QStringLiteral("10.0.0.1"), 1, QStringLiteral("M")}); // row 0: fails
    receive({RANGE_TO, 1, QStringLiteral("10.0.0.1"), 1, QStringLiteral("M")}); // row 1: passes
    EXPECT_TRUE(table->isRowHidden(0));
    EXPECT_FALSE(table->isRowHidden(1)) << "a passing record shows in a row hidden before";
    EXPECT_EQ(tables->logRecords[1].shown, 1);
    EXPECT_EQ(tables->logRecords[0].shown, 0);
}

TEST_F(LogDialogTest, RangeBoxesAreFramelessYellowNoticesOfTheDialog) {
    dialog->show();
    fromEdit->setDateTime(RANGE_FROM.addDays(-7));
    toEdit->setDateTime(RANGE_FROM.addDays(-8));
    ASSERT_TRUE(errorBox->isVisible());
    for (QMessageBox *box : {errorBox, confirmBox}) {
        EXPECT_EQ(box->parentWidget(), dialog.get());
        EXPECT_FALSE(box->isModal());
        EXPECT_EQ(box->windowType(), Qt::Dialog);
        EXPECT_TRUE(box->windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowTitleHint));
        EXPECT_TRUE(box->standardButtons() == QMessageBox::NoButton);
        EXPECT_EQ(box->palette().color(QPalette::Window), QColor(Qt::yellow));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Attention!"));
        EXPECT_EQ(box->font().pixelSize(), 20);
        // The operator goes on stepping the date editor while a notice shows. (The offscreen
        // platform activates every window it shows; the window manager honours these.)
        EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
        EXPECT_TRUE(box->testAttribute(Qt::WA_ShowWithoutActivating));
    }
    for (const auto &[button, text, geometry] :
         {std::tuple{yes, "Yes", QRect(240, 40, 60, 20)},
          std::tuple{cansel, "Cansel", QRect(310, 40, 60, 20)}}) {
        EXPECT_EQ(button->text(), QString::fromLatin1(text));
        EXPECT_EQ(button->geometry(), geometry);
        EXPECT_EQ(button->font().pixelSize(), 15);
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    }
    // The buttons show whole inside their box (sized to its text, which the X11 fonts made too
    // short for them).
    toEdit->setDateTime(RANGE_TO.addDays(1));
    ASSERT_TRUE(confirmBox->isVisible());
    for (const QPushButton *button : {yes, cansel})
        EXPECT_TRUE(confirmBox->rect().contains(button->geometry()))
            << button->text().toStdString();
}

TEST_F(LogDialogTest, ARangeEndingBeforeItsStartShowsTheErrorBoxAndSendsNothing) {
    dialog->show();
    fromEdit->setDateTime(RANGE_FROM.addDays(5));
    toEdit->setDateTime(RANGE_FROM.addDays(20)); // narrower: nothing to confirm
    EXPECT_FALSE(confirmBox->isVisible());
    EXPECT_FALSE(errorBox->isVisible());
    toEdit->setDateTime(RANGE_TO.addDays(3)); // wider: confirmation pending
    EXPECT_TRUE(confirmBox->isVisible());
    toEdit->setDateTime(RANGE_FROM);
    EXPECT_TRUE(errorBox->isVisible());
    EXPECT_FALSE(confirmBox->isVisible()) << "the error hides a pending confirmation";
    // Beside the editors, covering neither, inside the screen.
    const QRect editors(fromEdit->mapToGlobal(QPoint(0, 0)),
                        toEdit->mapToGlobal(QPoint(toEdit->width() - 1, toEdit->height() - 1)));
    const QRect box(errorBox->pos(), errorBox->size());
    EXPECT_FALSE(box.intersects(editors));
    EXPECT_TRUE(dialog->screen()->availableGeometry().contains(box));
    EXPECT_EQ(logDateTime, QStringLiteral("15/02/2026 09:30:15;10/02/2026 09:30:15;"));
    toEdit->setDateTime(RANGE_FROM.addDays(6));
    EXPECT_FALSE(errorBox->isVisible());
    EXPECT_TRUE(outboundRing().waitingMessage().isEmpty());
}

TEST_F(LogDialogTest, CanselPutsTheEditorsBackAndSendsNothing) {
    dialog->show();
    receiveMixed(5);
    fromEdit->setDateTime(RANGE_FROM.addDays(-7));
    ASSERT_TRUE(confirmBox->isVisible());
    cansel->click();
    EXPECT_FALSE(confirmBox->isVisible());
    EXPECT_EQ(fromEdit->dateTime(), RANGE_FROM);
    EXPECT_EQ(toEdit->dateTime(), RANGE_TO);
    EXPECT_EQ(dialog->logRowIndex(), 5) << "the table stays";
    EXPECT_TRUE(outboundRing().waitingMessage().isEmpty());
    EXPECT_EQ(logFrom, RANGE_FROM);
}

TEST_F(LogDialogTest, YesClearsTheTableQueuesTheLogRequestAndKeepsTheRange) {
    dialog->show();
    receiveMixed(5);
    const QDateTime from(QDate(2025, 12, 31), QTime(23, 59, 58));
    const QDateTime to(QDate(2026, 3, 11), QTime(1, 2, 3));
    fromEdit->setDateTime(from);
    toEdit->setDateTime(to);
    ASSERT_TRUE(confirmBox->isVisible());
    EXPECT_TRUE(outboundRing().waitingMessage().isEmpty()) << "nothing before Yes";
    yes->click();

    EXPECT_FALSE(confirmBox->isVisible());
    EXPECT_EQ(dialog->logRowIndex(), 0);
    EXPECT_EQ(tables->logRecIndex, 0);
    EXPECT_TRUE(table->item(0, 0)->text().isEmpty());
    EXPECT_EQ(logFrom, from);
    EXPECT_EQ(logTo, to);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Log from  31/12/2025 23:59:58"));

    // [13] [140], year month day hour minute second of the start, then of the end.
    const unsigned char expected[28] = {0, 13, 0,    140,  0x07, 0xE9, 0, 12, 0, 31, 0, 23, 0, 59,
                                        0, 58, 0x07, 0xEA, 0,    3,    0, 11, 0, 1,  0, 2,  0, 3};
    const QByteArrayView sent = outboundRing().waitingMessage();
    ASSERT_EQ(sent.size(), 28);
    EXPECT_EQ(QByteArray(sent.data(), sent.size()),
              QByteArray(reinterpret_cast<const char *>(expected), 28));
    outboundRing().freeMessage();
    EXPECT_TRUE(outboundRing().waitingMessage().isEmpty()) << "exactly one request";

    // The confirmed range is the new reference: narrowing inside it asks nothing.
    fromEdit->setDateTime(from.addDays(1));
    EXPECT_FALSE(confirmBox->isVisible());
}

// The console started long ago (RANGE_TO): moving only the start asks up to the time of the
// request, and the end keeps following the time; an end the operator moved stays his.
TEST_F(LogDialogTest, YesAsksUpToNowUnlessTheOperatorMovedTheEnd) {
    dialog->show();
    fromEdit->setDateTime(RANGE_FROM.addDays(-1));
    ASSERT_TRUE(confirmBox->isVisible());
    const QDateTime before = QDateTime::currentDateTime();
    yes->click();
    const QByteArrayView sent = outboundRing().waitingMessage();
    ASSERT_EQ(sent.size(), 28);
    std::array<int16_t, 14> words{};
    ConvertByteToShortBuffer(sent.data(), 28, words.data(), 14);
    outboundRing().freeMessage();
    const QDateTime end(QDate(words[8], words[9], words[10]),
                        QTime(words[11], words[12], words[13]));
    EXPECT_GE(end, before.addMSecs(-before.time().msec()));
    EXPECT_FALSE(logToSet);
    EXPECT_EQ(logFrom, RANGE_FROM.addDays(-1));
    EXPECT_GE(toEdit->dateTime(), before.addMSecs(-before.time().msec()))
        << "the editor shows the request's end";
    EXPECT_EQ(logDateTime.section(QLatin1Char(';'), 1, 1),
              toEdit->dateTime().toString(QString::fromLatin1(LOG_TIME_FORMAT)));

    const QDateTime operatorsEnd = RANGE_TO.addDays(1);
    toEdit->setDateTime(operatorsEnd);
    fromEdit->setDateTime(RANGE_FROM.addDays(-2));
    ASSERT_TRUE(confirmBox->isVisible());
    yes->click();
    ASSERT_EQ(outboundRing().waitingMessage().size(), 28);
    ConvertByteToShortBuffer(outboundRing().waitingMessage().data(), 28, words.data(), 14);
    outboundRing().freeMessage();
    EXPECT_EQ(
        QDateTime(QDate(words[8], words[9], words[10]), QTime(words[11], words[12], words[13])),
        operatorsEnd);
    EXPECT_TRUE(logToSet);
    EXPECT_EQ(logRequestEnd(QDateTime::currentDateTime()), operatorsEnd)
        << "the request after a reconnect keeps it";
}

TEST_F(LogDialogTest, FilterSettingsRoundTripThroughTheSixStrings) {
    setAddresses(
        {QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2"), QStringLiteral("10.0.0.3")});
    dialog->LogDlgInit();
    ASSERT_EQ(ipList->count(), 3);
    click(ipList, 1);
    click(slotList, 4);
    click(typeList, 3);
    click(criteriaList, 0);
    click(criteriaList, 3);
    const QDateTime from = RANGE_FROM.addDays(2);
    const QDateTime to = RANGE_TO.addDays(-2);
    fromEdit->setDateTime(from);
    toEdit->setDateTime(to);
    filterOn->click();
    ASSERT_TRUE(dialog->filterOn());

    EXPECT_EQ(logIPs, QStringLiteral("10.0.0.1,0;10.0.0.2,1;10.0.0.3,0;"));
    EXPECT_EQ(logSlots, QStringLiteral("00001000000000000"));
    EXPECT_EQ(logEventType, QStringLiteral("0001"));
    EXPECT_EQ(logSelectFilter, QStringLiteral("1001"));
    EXPECT_EQ(logDateTime, QStringLiteral("12/02/2026 09:30:15;08/03/2026 09:30:15;"));
    EXPECT_EQ(logFilterOnOff, QStringLiteral("1"));

    // A restart: a new dialog restores everything at the first rack list.
    const QStringList saved = {logFilterOnOff, logSelectFilter, logDateTime,
                               logEventType,   logIPs,          logSlots};
    makeDialog();
    dialog->LogDlgInit();
    EXPECT_EQ(ipList->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(ipList->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(slotList->item(4)->checkState(), Qt::Checked);
    EXPECT_EQ(slotList->item(5)->checkState(), Qt::Unchecked);
    EXPECT_EQ(typeList->item(3)->checkState(), Qt::Checked);
    EXPECT_EQ(criteriaList->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(criteriaList->item(3)->checkState(), Qt::Checked);
    EXPECT_EQ(fromEdit->dateTime(), from);
    EXPECT_EQ(toEdit->dateTime(), to);
    EXPECT_TRUE(dialog->filterOn());
    EXPECT_TRUE(filterOn->isChecked());
    EXPECT_EQ(dialog->windowTitle(),
              QStringLiteral("Log from  12/02/2026 09:30:15  -  08/03/2026 09:30:15"));
    const QStringList restored = {logFilterOnOff, logSelectFilter, logDateTime,
                                  logEventType,   logIPs,          logSlots};
    EXPECT_EQ(restored, saved);

    // The restored range is the confirmed one: widening it asks.
    toEdit->setDateTime(to.addSecs(1));
    EXPECT_TRUE(confirmBox->isVisible());
}

TEST_F(LogDialogTest, FilterSettingsSurviveARestartThroughTheSettingsFile) {
    const QTemporaryDir dir;
    useSettingsFileIn(dir);
    setAddresses({QStringLiteral("10.0.0.5"), QStringLiteral("10.0.0.6")});
    dialog->LogDlgInit();
    click(ipList, 0);
    click(slotList, 16);
    click(typeList, 1);
    for (const int criterion : {0, 1, 2, 3})
        click(criteriaList, criterion);
    const QDateTime from = RANGE_FROM.addSecs(3600);
    const QDateTime to = RANGE_TO.addSecs(-3600);
    fromEdit->setDateTime(from);
    toEdit->setDateTime(to);
    filterOn->click();
    ASSERT_TRUE(dialog->filterOn());
    {
        SettingDlg settings(ip_all, ip_all_old, ip_sel, ip_sel_old);
        settings.WriteSettingFile(); // what the main window's destructor does
    }

    // The next run starts with empty settings and reads them from the file.
    for (QString *s :
         {&logFilterOnOff, &logSelectFilter, &logDateTime, &logEventType, &logIPs, &logSlots})
        s->clear();
    SettingDlg(ip_all, ip_all_old, ip_sel, ip_sel_old).ReadSettingFile();
    makeDialog();
    dialog->LogDlgInit();

    EXPECT_TRUE(dialog->filterOn());
    EXPECT_EQ(ipList->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(ipList->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(slotList->item(16)->checkState(), Qt::Checked);
    EXPECT_EQ(typeList->item(1)->checkState(), Qt::Checked);
    for (int criterion = 0; criterion < LOG_CRITERIA; ++criterion)
        EXPECT_EQ(criteriaList->item(criterion)->checkState(), Qt::Checked) << criterion;
    EXPECT_EQ(fromEdit->dateTime(), from);
    EXPECT_EQ(toEdit->dateTime(), to);

    // The restored filter applies to the records that arrive.
    receive({from, 2, QStringLiteral("10.0.0.5"), 16, QStringLiteral("M")});
    receive({from, 2, QStringLiteral("10.0.0.6"), 16, QStringLiteral("M")});
    receive({to.addSecs(1), 2, QStringLiteral("10.0.0.5"), 16, QStringLiteral("M")});
    EXPECT_FALSE(table->isRowHidden(0));
    EXPECT_TRUE(table->isRowHidden(1));
    EXPECT_TRUE(table->isRowHidden(2));
}

TEST_F(LogDialogTest, AStoredFilterForOtherAddressesIsDropped) {
    logIPs = QStringLiteral("10.0.0.1,1;10.0.0.9,0;");
    logSlots = QStringLiteral("1");
    logEventType = QStringLiteral("1000");
    logSelectFilter = QStringLiteral("1100");
    logFilterOnOff = QStringLiteral("1");
    logDateTime = QStringLiteral("12/02/2026 09:30:15;08/03/2026 09:30:15;");
    setAddresses({QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2")});
    dialog->LogDlgInit();
    for (const QString *s :
         {&logFilterOnOff, &logSelectFilter, &logDateTime, &logEventType, &logIPs, &logSlots})
        EXPECT_TRUE(s->isEmpty());
    EXPECT_FALSE(dialog->filterOn());
    EXPECT_EQ(ipList->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(slotList->item(0)->checkState(), Qt::Unchecked);
}

TEST_F(LogDialogTest, FirstRackListAcceptsAStoredListOfOtherLengthAndALaterOneKeepsIt) {
    setAddresses({QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2")});
    logIPs = QStringLiteral("10.0.0.1,1;");
    logSlots = QStringLiteral("01");
    dialog->LogDlgInit();
    EXPECT_EQ(ipList->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(slotList->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(fromEdit->dateTime(), RANGE_FROM) << "filter off: the editors take the log range";
    EXPECT_EQ(logDateTime, QStringLiteral("10/02/2026 09:30:15;10/03/2026 09:30:15;"));

    dialog->LogDlgInit(); // a later rack list, after a reconnect
    EXPECT_EQ(ipList->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(logIPs, QStringLiteral("10.0.0.1,1;10.0.0.2,0;")) << "the list as it shows";
    EXPECT_EQ(logSlots, QStringLiteral("01"));
    EXPECT_EQ(slotList->item(1)->checkState(), Qt::Checked);
}

// The operator's filter, never stored for the address list (never clicked), survives any
// number of reconnects, also with a rack list that changed, and is what the settings file
// gets at exit.
TEST_F(LogDialogTest, ReconnectKeepsTheOperatorsFilterAndTheSettingsWriteCarriesIt) {
    const QTemporaryDir dir;
    useSettingsFileIn(dir);
    setAddresses({QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2")});
    dialog->LogDlgInit();
    click(typeList, 0);     // ALARM
    click(criteriaList, 2); // Event Type
    filterOn->click();
    ASSERT_TRUE(dialog->filterOn());
    receive({RANGE_FROM, 1, QStringLiteral("10.0.0.1"), 3, QStringLiteral("M")});
    receive({RANGE_FROM, 2, QStringLiteral("10.0.0.1"), 3, QStringLiteral("M")});
    const QStringList chosen = logSettings();
    EXPECT_EQ(chosen[0], QStringLiteral("1"));

    for (const QStringList &list :
         {QStringList{"10.0.0.1", "10.0.0.2"}, QStringList{"10.0.0.3", "10.0.0.1", "10.0.0.2"}}) {
        SCOPED_TRACE(list.join(' ').toStdString());
        setAddresses(list);
        dialog->LogDlgInit();
        EXPECT_EQ(logSettings(), chosen);
        EXPECT_TRUE(dialog->filterOn());
        EXPECT_TRUE(filterOn->isChecked());
        EXPECT_EQ(typeList->item(0)->checkState(), Qt::Checked);
        EXPECT_EQ(criteriaList->item(2)->checkState(), Qt::Checked);
        EXPECT_FALSE(table->isRowHidden(0));
        EXPECT_TRUE(table->isRowHidden(1)) << "the filter still applies";
    }
    SettingDlg(ip_all, ip_all_old, ip_sel, ip_sel_old).WriteSettingFile();
    for (QString *s :
         {&logFilterOnOff, &logSelectFilter, &logDateTime, &logEventType, &logIPs, &logSlots})
        s->clear();
    SettingDlg(ip_all, ip_all_old, ip_sel, ip_sel_old).ReadSettingFile();
    EXPECT_EQ(logSettings(), chosen);
}

// A reconnect after the operator checked addresses: those still listed stay checked, wherever
// they stand in the new list.
TEST_F(LogDialogTest, ReconnectKeepsTheCheckedAddressesByText) {
    setAddresses({QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2")});
    dialog->LogDlgInit();
    click(ipList, 1);
    setAddresses(
        {QStringLiteral("10.0.0.2"), QStringLiteral("10.0.0.3"), QStringLiteral("10.0.0.1")});
    dialog->LogDlgInit();
    EXPECT_EQ(ipList->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(ipList->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(ipList->item(2)->checkState(), Qt::Unchecked);
    EXPECT_EQ(logIPs, QStringLiteral("10.0.0.2,1;10.0.0.3,0;10.0.0.1,0;"));
}

TEST_F(LogDialogTest, TheDialogReopensWhereItWasClosed) {
    dialog->on_LogBtn_clicked();
    EXPECT_TRUE(dialog->isVisible());
    dialog->move(123, 77);
    const QPoint where = dialog->pos();
    fromEdit->setDateTime(RANGE_FROM.addDays(-1));
    ASSERT_TRUE(confirmBox->isVisible());
    dialog->findChild<QPushButton *>(QStringLiteral("closeBtn"))->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(confirmBox->isVisible()) << "closing hides the range boxes";
    dialog->move(400, 300);
    dialog->on_LogBtn_clicked();
    EXPECT_TRUE(dialog->isVisible());
    // Where it was, as far as the screen's area allows.
    const QRect available = dialog->screen()->availableGeometry();
    const QSize frame = dialog->frameGeometry().size();
    EXPECT_EQ(dialog->pos(), moveInside(QRect(where, frame), available).topLeft());
    EXPECT_TRUE(available.contains(dialog->frameGeometry()));
}

// The dialog keeps its defined 1244 x 870 wherever the screen holds it, and is no larger than
// the screen's area elsewhere (its scroll area shows the rest); the range question goes beside
// the date editors, covering neither, inside the area.
TEST(LogDialogPlacement, TheDialogFitsTheScreenAndTheRangeQuestionClearsTheEditors) {
    const QSize defined(1244, 870);
    const QSize frame(2, 24);
    const QSize question(420, 90);
    struct Case {
        const char *what;
        QRect available;
        QSize size;
        QRect editors; // both date editors, on screen
        QPoint question;
    };
    const std::vector<Case> cases = {
        {"1600x1000", {0, 0, 1600, 1000}, {1244, 870}, {1200, 620, 205, 63}, {780, 620}},
        {"1280x800: room for the vertical scroll bar",
         {0, 0, 1280, 800},
         {1260, 776},
         {1015, 565, 205, 63},
         {595, 565}},
        {"1024x768: only the part on screen",
         {0, 0, 1024, 768},
         {1022, 744},
         {1015, 565, 9, 63},
         {595, 565}},
        {"editors at the left edge: right of them",
         {0, 0, 1024, 768},
         {1022, 744},
         {10, 400, 205, 63},
         {215, 400}},
        {"no room beside: above", {0, 0, 500, 768}, {498, 744}, {10, 400, 480, 63}, {10, 310}},
        {"an area below a panel", {0, 30, 1280, 770}, {1260, 746}, {1015, 30, 205, 63}, {595, 30}},
        {"1600x880: the height cut",
         {0, 0, 1600, 880},
         {1260, 856},
         {1200, 600, 205, 63},
         {780, 600}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(fittedDialogSize(defined, frame, c.available, 16), c.size);
        const QPoint at = besideRect(question, c.editors, c.available);
        EXPECT_EQ(at, c.question);
        EXPECT_FALSE(QRect(at, question).intersects(c.editors));
        EXPECT_TRUE(c.available.contains(QRect(at, question)));
    }
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
