#include "console/link/alarmhandlers.h"

#include "console/link/consoletables.h"
#include "console/link/consoletext.h"
#include "console/link/consoleviews.h"

#include <QDebug>

#include <algorithm>

namespace {

bool inRange(int value, int count) {
    return value >= 0 && value < count;
}

// The first of an alarm's slot, alarm and register indices that lies outside its table, or
// nullptr when all three fit.
const char *outOfRange(int slot, int alarm, int reg) {
    if (!inRange(slot, SLOTS_PER_RACK))
        return "slot";
    if (!inRange(alarm, ALARMS_PER_SLOT))
        return "alarm";
    if (!inRange(reg, MAX_CONTROL_LINES))
        return "register";
    return nullptr;
}

// Racks whose address text is `text` (an empty text matches none).
template <typename F> void forEachRackAt(ConsoleTables &t, const QString &text, F f) {
    for (int k = 0; k < MAX_RACK_NUMBER; ++k) {
        if (!t.rack[k].ipText.isEmpty() && t.rack[k].ipText == text)
            f(k);
    }
}

template <typename F> void forEachPaneOnRack(const ConsoleTables &t, int rack, F f) {
    if (t.monitorRack1 == rack + 1)
        f(1);
    if (t.monitorRack2 == rack + 1)
        f(2);
}

// True while another alarm of the slot is set to Normal and raised.
bool slotStillAlarmed(const SlotAlarms &alarms) {
    const int count = std::clamp(alarms[0].alarmCount, 0, ALARMS_PER_SLOT);
    return std::any_of(alarms.begin(), alarms.begin() + count, [](const AlarmEntry &entry) {
        return entry.alarm_set != 0 && entry.state != -1;
    });
}

// The slot shows no alarm any more: pane headers and slot button in the normal colour.
void clearSlotAlarm(ConsoleTables &t, ConsoleViews &views, int k, int slot) {
    forEachPaneOnRack(t, k, [&](int pane) { views.setPaneHeaderAlarm(pane, false); });
    views.setSlotButtonAlarm(k, slot, false);
    views.setTreeItemIcon(k);
}

void setAlarmLeds(ConsoleTables &t, ConsoleViews &views, int k, int slot, int alarm,
                  LedColour colour) {
    forEachPaneOnRack(t, k, [&](int pane) { views.setPaneAlarmLed(pane, alarm, colour); });
    views.setSlotAlarmLed(k, slot, alarm, colour);
}

} // namespace

void handleRegisterValues(ConsoleTables &t, ConsoleViews &views, SrvWords msg) {
    const auto decoded = decodeRegisterValues(msg);
    if (!decoded) {
        qDebug() << "kod=30: message shorter than its value count dropped";
        return;
    }
    const int s = decoded->slot;
    const int count = int(decoded->values.size());
    if (!inRange(s, SLOTS_PER_RACK)) {
        qDebug().nospace() << "kod=30: slot " << s << " out of range, message dropped";
        return;
    }
    if (count < 1 || count > MAX_CONTROL_LINES) {
        qDebug().nospace() << "kod=30: value count " << count << " out of range, message dropped";
        return;
    }
    // Values of a rack or module the console does not show are no fault: they are ignored.
    const int r = t.currnrack;
    if (!t.currRackMatched || r < 0 || t.rack[r].absent == 1 ||
        t.rack[r].nRackStructureTable[s] == 0)
        return;

    BlockDescription &block = t.block(r, s);
    block.values.fill(0);
    block.ipText = t.currIp;
    block.ip = lowByteOctets(decoded->address);
    block.slot = uint8_t(s);
    block.valuesState = 1;
    views.enableBlockContent(r, s);
    block.valueCount = count;
    for (int i = 0; i < count; ++i)
        block.values[i] = signExtend14(decoded->values[i]);
    if (views.isBlockPageVisible(r, s))
        views.fillBlockPage(r, s);
}

void handleAlarmSettings(ConsoleTables &t, ConsoleViews &views, SrvWords msg) {
    qDebug() << "kod=80 !!!!";
    const auto records = decodeAlarmSettings(msg);
    if (!records) {
        qDebug() << "kod=80: message shorter than its record count dropped";
        return;
    }
    for (std::size_t i = 0; i < records->size(); ++i) {
        const AlarmWireRecord &record = (*records)[i];
        const int slot = record.slot;
        const int alarm = record.alarmIndex;
        const int reg = record.reg;
        if (const char *field = outOfRange(slot, alarm, reg)) {
            qDebug().nospace() << "kod=80: record " << i << ": " << field << " out of range (slot "
                               << slot << ", alarm " << alarm << ", register " << reg
                               << "), record dropped";
            continue;
        }
        const QString text = signedAddressText(record.address);
        forEachRackAt(t, text, [&](int k) {
            if (record.moduleId != t.rack[k].nRackStructureTable[slot])
                return;
            SlotAlarms &alarms = t.alarm_table[k][slot];
            AlarmEntry &entry = alarms[alarm];
            entry.moduleId = record.moduleId;
            entry.slotIndex = slot;
            entry.ipText = text;
            entry.reg = reg;
            if (record.kind == 1)
                entry.kind = QStringLiteral("L");
            const BlockDescription &block = t.block(k, slot);
            const double scale = block.scale[reg];
            entry.lower = record.lower * scale;
            entry.upper = record.upper * scale;
            if (scale != 1.0)
                entry.decimals = 2;
            else if (entry.decimals == 0)
                entry.decimals = 1;
            entry.value = record.value;
            entry.alarm_set = uint8_t(record.alarmSet);
            entry.snmp = uint8_t(record.snmp);
            if (alarms[0].widgetsLoaded == 1)
                views.loadAlarmWidgets(k + 1, slot + 1, alarm);
            qDebug() << "alarm_table[k][n_srv[7+i]][n_srv[15+i]].alarm_set = " << entry.alarm_set;
            if (entry.alarm_set != 0)
                return;
            entry.state = -1;
            setAlarmLeds(t, views, k, slot, alarm, LedColour::Gray);
            if (!slotStillAlarmed(alarms))
                clearSlotAlarm(t, views, k, slot);
        });
    }
}

void handleAlarmEvent(ConsoleTables &t, ConsoleViews &views, SrvWords msg) {
    const auto event = decodeAlarmEvent(msg);
    if (!event) {
        qDebug().nospace() << "kod=" << msg[1] << ": message shorter than 17 words dropped";
        return;
    }
    qDebug() << (event->raised ? "kod=90 !!!!" : "kod=91 !!!!");
    if (const char *field = outOfRange(event->slot, event->alarmIndex, event->reg)) {
        qDebug().nospace() << "kod=" << msg[1] << ": " << field << " out of range (slot "
                           << event->slot << ", alarm " << event->alarmIndex << ", register "
                           << event->reg << "), message dropped";
        return;
    }
    const int slot = event->slot;
    const int alarm = event->alarmIndex;
    const QString text = signedAddressText(event->address);
    for (int k = 0; k < MAX_RACK_NUMBER; ++k) {
        if (t.rack[k].ipText.isEmpty() || t.rack[k].ipText != text ||
            t.rack[k].nRackStructureTable[slot] != event->moduleId)
            continue;
        SlotAlarms &alarms = t.alarm_table[k][slot];
        AlarmEntry &entry = alarms[alarm];
        entry.moduleId = event->moduleId;
        entry.slotIndex = slot;
        entry.ipText = text;
        entry.reg = event->reg;
        if (event->raised) {
            entry.state = 1;
            setAlarmLeds(t, views, k, slot, alarm, LedColour::Red);
            forEachPaneOnRack(t, k, [&](int pane) { views.setPaneHeaderAlarm(pane, true); });
            views.setSlotButtonAlarm(k, slot, true);
            views.setTreeItemIcon(k);
            views.setRackTreeIconRed(k);
            continue;
        }
        entry.state = -1;
        const bool ignored =
            entry.alarm_set == 0 ||
            (entry.reg == 0 && entry.name == QLatin1String("INPUT") && entry.viewState1 == 2);
        setAlarmLeds(t, views, k, slot, alarm, ignored ? LedColour::Gray : LedColour::Green);
        if (slotStillAlarmed(alarms))
            return;
        clearSlotAlarm(t, views, k, slot);
    }
}

void handleAlarmInitFiles(ConsoleTables &t, SrvWords msg) {
    qDebug() << "kod=100 !!!!";
    const auto decoded = decodeAlarmInitFiles(msg);
    if (!decoded) {
        qDebug() << "kod=100: message shorter than its first file dropped";
        return;
    }
    if (!decoded->fileName)
        return;
    const int first = t.num_init_file_all;
    if (first >= MAX_ALARM_INIT_FILES) {
        qDebug() << "kod=100: alarm_init_file is full, file dropped";
        return;
    }
    AlarmInitRow &row = t.alarm_init_file[first];
    const QString fname = alarmInitFileName(*decoded->fileName);
    qDebug() << "alarm_init_file[i+num_init_file_all][0]->fname = " << fname;
    parseAlarmInitContent(decoded->file.content, fname, row);
    row[0].contentLength = int(decoded->file.content.size());
    row[0].content = decoded->file.content;

    // Only the first file is read, but the message's F files take F rows. The rows of the
    // files not read are emptied, so no definition from before the last code 110 comes back.
    const int end = std::min(first + int(decoded->fileCount), MAX_ALARM_INIT_FILES);
    if (first + int(decoded->fileCount) > MAX_ALARM_INIT_FILES)
        qDebug().nospace() << "kod=100: " << decoded->fileCount
                           << " files pass the end of alarm_init_file";
    for (int i = first + 1; i < end; ++i)
        t.alarm_init_file[i] = AlarmInitRow{};
    t.num_init_file_all = end;
}
