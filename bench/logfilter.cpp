#include "console/link/consoletables.h"
#include "console/link/nullconsoleviews.h"
#include "console/link/rings.h"
#include "console/link/srvmsgprocessor.h"
#include "console/windows/logdialog.h"
#include "console/windows/logfilter.h"
#include "tools/fakecore/servermessages.h"
#include "bench/widgetbenchmain.h"

#include <benchmark/benchmark.h>

#include <QDateTimeEdit>
#include <QListWidget>
#include <QPushButton>

#include <memory>

// The event log with a full ring: filtering all 10,000 records by every criterion, and taking
// in 10,000 records, as rows and as the server sends them.

namespace {

const QDateTime BASE(QDate(2026, 3, 1), QTime(8, 0, 0));

// Record i: type i % 4 + 1, slot i % 17, address 10.0.0.(i % 20), a minute after record i - 1.
void fillRecords(ConsoleTables &tables) {
    for (int i = 0; i < MAX_LOG_RECORDS; ++i) {
        LogRecord &r = tables.logRecords[i];
        r.dateTime = BASE.addSecs(60 * i);
        r.eventType = i % 4 + 1;
        r.ipText = QStringLiteral("10.0.0.%1").arg(i % 20);
        r.slot = i % 17;
        r.moduleName = QStringLiteral("MODULE");
        r.alarmText = QStringLiteral("Input level low");
        r.frameText = QStringLiteral("Frame 1");
        r.shown = -1;
    }
}

void takeInAll(ConsoleTables &tables, LogDialog &dialog) {
    for (int i = 0; i < MAX_LOG_RECORDS; ++i) {
        tables.logRecIndex = i;
        dialog.addLogRow();
    }
}

void check(QListWidget *list, int row) {
    list->item(row)->setCheckState(Qt::Checked);
}

// Every criterion on: half the addresses, most slots, two types, the middle of the range.
void checkAllCriteria(LogDialog &dialog) {
    auto *ips = dialog.findChild<QListWidget *>(QStringLiteral("logIpList"));
    for (int i = 0; i < ips->count(); i += 2)
        check(ips, i);
    auto *slotList = dialog.findChild<QListWidget *>(QStringLiteral("logSlotList"));
    for (int s = 0; s < 12; ++s)
        check(slotList, s);
    auto *types = dialog.findChild<QListWidget *>(QStringLiteral("logTypeList"));
    check(types, 0);
    check(types, 2);
    auto *criteria = dialog.findChild<QListWidget *>(QStringLiteral("logCriteriaList"));
    for (int c = 0; c < LOG_CRITERIA; ++c)
        check(criteria, c);
    dialog.findChild<QDateTimeEdit *>(QStringLiteral("logFromEdit"))
        ->setDateTime(BASE.addSecs(60 * 1000));
    dialog.findChild<QDateTimeEdit *>(QStringLiteral("logToEdit"))
        ->setDateTime(BASE.addSecs(60 * 9000));
}

struct FullLog {
    std::unique_ptr<ConsoleTables> tables = ConsoleTables::create();
    std::unique_ptr<LogDialog> dialog;

    FullLog() {
        dialog = std::make_unique<LogDialog>(*tables);
        fillRecords(*tables);
        takeInAll(*tables, *dialog);
        checkAllCriteria(*dialog);
    }
    QPushButton *button(const char *name) {
        return dialog->findChild<QPushButton *>(QString::fromLatin1(name));
    }
};

// FILTER ON with every criterion over a full table, starting from all rows shown.
void BM_FilterOnAllCriteria(benchmark::State &state) {
    FullLog log;
    QPushButton *on = log.button("filterOnBtn");
    QPushButton *off = log.button("filterOffBtn");
    for (auto _ : state) {
        on->click();
        state.PauseTiming();
        off->click();
        state.ResumeTiming();
    }
    state.counters["records"] = MAX_LOG_RECORDS;
}
BENCHMARK(BM_FilterOnAllCriteria)->Unit(benchmark::kMillisecond);

// With the filter on, the operator checks or unchecks one event type: all records are filtered
// again and a quarter of the rows change.
void BM_RefilterOnTypeClick(benchmark::State &state) {
    FullLog log;
    log.button("filterOnBtn")->click();
    auto *types = log.dialog->findChild<QListWidget *>(QStringLiteral("logTypeList"));
    QListWidgetItem *item = types->item(1);
    for (auto _ : state) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        emit types->itemClicked(item);
    }
}
BENCHMARK(BM_RefilterOnTypeClick)->Unit(benchmark::kMillisecond);

// The filter rules alone over the whole ring.
void BM_LogRowPassesFilter(benchmark::State &state) {
    auto tables = ConsoleTables::create();
    fillRecords(*tables);
    LogFilter filter;
    filter.criteria = {true, true, true, true};
    for (int i = 0; i < 20; i += 2)
        filter.addresses.insert(QStringLiteral("10.0.0.%1").arg(i));
    for (int s = 0; s < 12; ++s)
        filter.slotNumbers[s] = true;
    filter.eventTypes = {true, false, true, false};
    filter.from = BASE.addSecs(60 * 1000);
    filter.to = BASE.addSecs(60 * 9000);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            logRowPassesFilter(filter, tables->logRecords, 0, MAX_LOG_RECORDS));
}
BENCHMARK(BM_LogRowPassesFilter)->Unit(benchmark::kMillisecond);

// 10,000 records taken in, one addLogRow each, with the filter off and on.
void BM_AddLogRows(benchmark::State &state) {
    FullLog log;
    if (state.range(0) == 1)
        log.button("filterOnBtn")->click();
    for (auto _ : state) {
        state.PauseTiming();
        log.dialog->clearLogTable();
        state.ResumeTiming();
        takeInAll(*log.tables, *log.dialog);
    }
    state.counters["records"] = MAX_LOG_RECORDS;
}
BENCHMARK(BM_AddLogRows)->Arg(0)->Arg(1)->ArgName("filter")->Unit(benchmark::kMillisecond);

// The log dialog as the message handlers see it.
class LogViews : public NullConsoleViews {
public:
    explicit LogViews(LogDialog &dialog)
        : dialog(dialog) {}
    void clearLogTable() override { dialog.clearLogTable(); }
    void addLogRow() override { dialog.addLogRow(); }

private:
    LogDialog &dialog;
};

// The bytes of 10,000 log records from the server, cut into inbound chunks.
QList<QByteArray> logRecordChunks() {
    QByteArray stream;
    for (int i = 0; i < MAX_LOG_RECORDS; ++i) {
        const QDateTime when = BASE.addSecs(60 * i);
        LogWireRecord r;
        r.day = int16_t(when.date().day());
        r.month = int16_t(when.date().month());
        r.year = int16_t(when.date().year());
        r.hour = int16_t(when.time().hour());
        r.minute = int16_t(when.time().minute());
        r.eventType = int16_t(i % 4 + 1);
        r.alarmText = QStringLiteral("Input level low");
        r.address = {10, 0, 0, int16_t(i % 20)};
        r.frameText = QStringLiteral("Frame 1");
        r.slot = int16_t(i % 17);
        r.moduleName = QStringLiteral("MODULE");
        stream += encodeLogRecord(r);
    }
    QList<QByteArray> chunks;
    for (qsizetype at = 0; at < stream.size(); at += RX_CHUNK_BYTES)
        chunks.append(stream.mid(at, RX_CHUNK_BYTES));
    return chunks;
}

// 10,000 code-140 messages framed, decoded, stored and shown, with the filter off and on.
void BM_ReceiveLogRecords(benchmark::State &state) {
    FullLog log;
    if (state.range(0) == 1)
        log.button("filterOnBtn")->click();
    LogViews views(*log.dialog);
    SrvMsgProcessor processor(*log.tables, views, QString());
    const QList<QByteArray> chunks = logRecordChunks();
    for (auto _ : state) {
        state.PauseTiming();
        log.dialog->clearLogTable();
        state.ResumeTiming();
        for (const QByteArray &chunk : chunks)
            processor.processChunk(chunk);
    }
    state.counters["records"] = MAX_LOG_RECORDS;
}
BENCHMARK(BM_ReceiveLogRecords)->Arg(0)->Arg(1)->ArgName("filter")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    return runWidgetBenchmarks(argc, argv);
}
