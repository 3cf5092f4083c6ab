#include "console/link/linkhandlers.h"

#include "console/link/consoletables.h"
#include "console/link/consoletext.h"
#include "console/link/consoleviews.h"
#include "console/link/globals.h"
#include "console/link/rackhandlers.h"
#include "console/link/rings.h"

#include <QDebug>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Fills an address table from a rack list; false (table untouched) when the message does not
// hold its list or the list would fill all of the table's records.
bool fillAddressTable(RackAddressTable &table,
                      const std::optional<std::vector<WireAddress>> &decoded, int kod) {
    if (!decoded) {
        qDebug().nospace() << "kod=" << kod << ": message shorter than its address count dropped";
        return false;
    }
    const std::vector<WireAddress> &list = *decoded;
    if (int(list.size()) >= MAX_RACK_ADDRESSES) {
        qDebug() << "kod=" << kod << ": Error: rack list of" << list.size() << "addresses dropped";
        return false;
    }
    table.clear();
    for (const WireAddress &address : list) {
        RackAddress &entry = table.entries[table.count++];
        std::copy(address.begin(), address.end(), entry.ip);
        entry.text = signedAddressText(address);
    }
    return true;
}

bool listHolds(const RackAddressTable &table, const QString &text) {
    return std::any_of(table.entries.begin(), table.entries.begin() + table.count,
                       [&](const RackAddress &entry) { return entry.text == text; });
}

} // namespace

void handleAlarmReset(ConsoleTables &t, ConsoleViews &views, SrvWords msg) {
    qDebug() << "kod=110 !!!!";
    if (!fillAddressTable(ip_all, decodeAlarmReset(msg), msgAlarmReset))
        return;

    t.num_init_file_all = 0;
    // The entries of racks never reported are still as they started.
    for (int r = 0; r < t.rackCount; ++r) {
        for (int s = 0; s < SLOTS_PER_RACK; ++s) {
            for (int a = 0; a < ALARMS_PER_SLOT; ++a)
                t.resetAlarmEntry(r, s, a);
        }
    }
    views.resetAlarmIndicators();

    for (int r = 0; r < MAX_RACK_NUMBER; ++r) {
        if (t.rack[r].absent != 1)
            hideRack(t, views, r);
    }
    ip_all_old = ip_all;
    views.LogDlgInit();
}

void handleRackSelection(ConsoleTables &t, ConsoleViews &views, SrvWords msg) {
    qDebug() << "kod=120 !!!!";
    if (!fillAddressTable(ip_sel, decodeRackSelection(msg), msgRackSelection))
        return;
    for (int r = 0; r < MAX_RACK_NUMBER; ++r) {
        const QString &text = t.rack[r].ipText;
        if (t.rack[r].absent != 1 && !text.isEmpty() && listHolds(ip_sel_old, text) &&
            !listHolds(ip_sel, text))
            hideRack(t, views, r);
    }
    ip_sel_old = ip_sel;
    views.SettingDlgInit();
}

void handlePulseAnswer(ConsoleTables &t, ConsoleViews &views, SrvWords msg) {
    // The link thread counted the answer when it arrived. The log is requested once the link
    // thread has seen an answer on the current connection, so an answer left over from an old
    // connection requests nothing.
    if (!decodePulseAnswer(msg) || srv_log_requested != -1 || srv_pulse_answered != 1)
        return;
    views.clearLogTable();
    t.logRecIndex = 0;
    const QByteArray request =
        buildLogRequest(logFrom, logRequestEnd(QDateTime::currentDateTime()));
    if (queueToSrv(request.constData(), int(request.size())))
        srv_log_requested = 1;
}

void handleLogRecord(ConsoleTables &t, ConsoleViews &views, SrvWords msg) {
    qDebug() << "kod = 140!";
    const auto wire = decodeLogRecord(msg);
    if (!wire) {
        qDebug()
            << "kod=140: a text length is negative or runs past the message's end, record dropped";
        return;
    }
    if (t.logRecIndex < 0 || t.logRecIndex >= MAX_LOG_RECORDS)
        t.logRecIndex = 0;
    LogRecord &record = t.logRecords[t.logRecIndex];
    record.day = wire->day;
    record.month = wire->month;
    record.year = wire->year;
    record.hour = wire->hour;
    record.minute = wire->minute;
    record.second = wire->second;
    record.dateTime = QDateTime(QDate(record.year, record.month, record.day),
                                QTime(record.hour, record.minute, record.second));
    record.eventType = wire->eventType;
    record.extra = wire->extra;
    record.alarmTextLength = wire->alarmTextLength;
    record.alarmText = cutRecordText(wire->alarmText);
    std::copy(wire->address.begin(), wire->address.end(), record.ip.begin());
    record.ipText = signedAddressText(wire->address);
    record.frameTextLength = wire->frameTextLength;
    record.frameText = cutRecordText(wire->frameText);
    record.slot = wire->slot;
    record.moduleNameLength = wire->moduleNameLength;
    record.moduleName = cutRecordText(wire->moduleName);
    record.shown = -1;
    views.addLogRow();
    ++t.logRecIndex;
}
