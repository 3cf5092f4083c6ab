#include "console/link/rackhandlers.h"

#include "console/link/consoletables.h"
#include "console/link/consoletext.h"
#include "console/link/consoleviews.h"
#include "console/link/moduleiconfiles.h"
#include "console/link/rings.h"

#include <QDebug>

#include <algorithm>

namespace {

// A rack seen for the first time takes the next free index; false when the table is full.
bool addRack(ConsoleTables &t, ConsoleViews &views, const WireAddress &address,
             const char *fullMessage) {
    if (t.rackCount >= MAX_RACK_NUMBER) {
        qDebug() << fullMessage;
        return false;
    }
    const int index = t.rackCount++;
    ++t.visibleRackCount;
    t.currnrack = index;
    RackRecord &record = t.rack[index];
    record.ipText = t.currIp;
    record.ip = lowByteOctets(address);
    record.number = index;
    record.absent = 0;
    views.addRackRows(index);
    t.rackPanelHeight += RACK_ROWS_SHOWN_HEIGHT;
    t.rackPanelStale = true;
    return true;
}

// The name of the rack's entry among the server's names; a later entry replaces an earlier
// one. Returns whether the name changed.
bool nameRack(RackRecord &record, const std::vector<RackNameEntry> &entries) {
    const QString before = record.name;
    for (const RackNameEntry &entry : entries) {
        bool same = true;
        for (int i = 0; i < 4; ++i)
            same = same && entry.address[i] == record.ip[i];
        if (same)
            record.name = cutRackName(entry.name);
    }
    return record.name != before;
}

// The entries of the latest rack-name message.
std::vector<RackNameEntry> storedRackNames(const ConsoleTables &t) {
    const int words = std::clamp(int(t.rackNameList[0]) + 1, 0, SRV_BUFFER_WORDS);
    return decodeRackNames(SrvWords(t.rackNameList.data(), size_t(words)))
        .value_or(std::vector<RackNameEntry>());
}

bool paneShows(const ConsoleTables &t, int pane, int rack, int slot) {
    return pane == 1 ? t.monitorRack1 == rack + 1 && t.monitorSlot1 == slot + 1
                     : t.monitorRack2 == rack + 1 && t.monitorSlot2 == slot + 1;
}

bool paneShowsRack(const ConsoleTables &t, int pane, int rack) {
    return (pane == 1 ? t.monitorRack1 : t.monitorRack2) == rack + 1;
}

void clearPaneSelection(ConsoleTables &t, int pane) {
    int &rack = pane == 1 ? t.monitorRack1 : t.monitorRack2;
    int &slot = pane == 1 ? t.monitorSlot1 : t.monitorSlot2;
    rack = -1;
    slot = -1;
}

} // namespace

void handleRackNames(ConsoleTables &t, SrvWords msg) {
    qDebug() << "case 161:";
    const auto entries = decodeRackNames(msg);
    if (!entries) {
        qDebug() << "kod=161: an entry runs past the message's end, rack names dropped";
        return;
    }
    std::fill(t.rackNameList.begin(), t.rackNameList.end(), int16_t(0));
    std::copy(msg.begin(), msg.end(), t.rackNameList.begin());
    // The server holds the names: a rack already known takes its new name too.
    for (RackRecord &record : t.rack) {
        if (!record.ipText.isEmpty() && nameRack(record, *entries))
            t.treeStale = true;
    }
}

void hideRack(ConsoleTables &t, ConsoleViews &views, int rack) {
    t.rack[rack].absent = 1;
    views.setRackRowsVisible(rack, false);
    if (t.visibleRackCount > 0 && --t.visibleRackCount == 0)
        t.currnrack = -1;
    t.rackPanelHeight -= RACK_ROWS_HIDDEN_HEIGHT;
    t.rackPanelStale = true;
    t.treeStale = true;
}

void refreshStaleViews(ConsoleTables &t, ConsoleViews &views) {
    if (t.rackPanelStale) {
        t.rackPanelStale = false;
        views.resizeRackPanel(t.rackPanelHeight);
    }
    if (t.treeStale) {
        t.treeStale = false;
        views.buildNetworkTree();
    }
}

void hideRacksAfterRingsReset(ConsoleTables &t, ConsoleViews &views) {
    int reset = 1;
    if (!srv_rings_reset.compare_exchange_strong(reset, -1))
        return;
    for (int r = 0; r < MAX_RACK_NUMBER; ++r) {
        if (t.rack[r].absent != 1)
            hideRack(t, views, r);
    }
    refreshStaleViews(t, views);
}

void handleRackStructure(ConsoleTables &t, ConsoleViews &views, SrvWords msg) {
    const auto decoded = decodeRackStructure(msg);
    if (!decoded) {
        qDebug() << "kod=20: malformed rack structure dropped";
        return;
    }
    const auto ids = decoded->moduleIds;
    const auto fill = [&](RackRecord &record) {
        record.previousStructure = record.nRackStructureTable;
        record.nRackStructureTable.fill(0);
        std::copy_n(ids.begin(), decoded->moduleCount, record.nRackStructureTable.begin());
    };

    if (t.currRackKnown == -1) {
        if (!addRack(t, views, decoded->address, "kod=20: Error: currnrack > MAX_RACK_NUMBER"))
            return;
        RackRecord &record = t.rack[t.currnrack];
        fill(record);
        nameRack(record, storedRackNames(t));
    }

    const int r = t.currnrack;
    RackRecord &record = t.rack[r];
    record.ipText = t.currIp;
    record.ip = lowByteOctets(decoded->address);
    fill(record);

    for (int s = 0; s < SLOTS_PER_RACK; ++s) {
        const uint32_t id = record.nRackStructureTable[s];
        if (id != record.previousStructure[s]) {
            for (int pane = 1; pane <= 2; ++pane) {
                if (!paneShows(t, pane, r, s))
                    continue;
                views.resetBlockSelection(pane, r + 1, s + 1);
                clearPaneSelection(t, pane);
                views.closePane(pane);
            }
        }
        if (id != 0) {
            views.enableSlotButton(r, s);
            continue;
        }
        t.block(r, s).valueCount = 0;
        t.block(r, s).entryCount = 0;
        views.emptySlotButton(r, s);
        for (int a = 0; a < ALARMS_PER_SLOT; ++a)
            views.hideSlotAlarm(r, s, a);
        t.alarm_table[r][s][0].alarmCount = 0;
    }

    if (decoded->tableWords == 0 && t.currRackKnown == 1) {
        for (int pane = 1; pane <= 2; ++pane) {
            if (paneShowsRack(t, pane, r))
                views.closePane(pane);
        }
        hideRack(t, views, r);
        if (t.visibleRackCount == 0)
            t.currRackKnown = -1;
    }
    t.treeStale = true;
}

namespace {

// Copies the alarm definitions of the slot's module type from the alarm-init files.
void defineSlotAlarms(ConsoleTables &t, ConsoleViews &views, int r, int s) {
    const uint32_t id = t.rack[r].nRackStructureTable[s];
    const AlarmInitRow *row = nullptr;
    for (int i = 0; i < t.num_init_file_all && !row; ++i) {
        bool ok = false;
        const uint32_t fileId = t.alarm_init_file[i][0].fname.toUInt(&ok, 16);
        if (ok && fileId == id) {
            qDebug() << "alarm_init_file[i][0]->fname.toInt(0, 16) = " << fileId;
            qDebug() << "rack[currnrack].nRackStructureTable[n_srv[6]] = " << id;
            row = &t.alarm_init_file[i];
        }
    }
    if (!row)
        return;

    const BlockDescription &block = t.block(r, s);
    SlotAlarms &alarms = t.alarm_table[r][s];
    const int records = std::clamp((*row)[0].recordCount, 0, ALARMS_PER_SLOT);
    for (int k = 0; k < records; ++k) {
        const AlarmInitRecord &definition = (*row)[k];
        if (definition.reg < 0 || definition.reg > block.entryCount)
            continue;
        if (definition.reg != 0 ? block.captions[definition.reg - 1] == definition.name
                                : isStatusAlarmName(definition.name))
            ++alarms[0].alarmCount;
        if (definition.name.isEmpty())
            continue;
        AlarmEntry &entry = alarms[k];
        entry.name = definition.name;
        entry.reg = definition.reg;
        entry.kind = definition.kind;
        // The value goes back to the equipment in code 70: clamp it, never wrap it.
        entry.value = int16_t(std::clamp(definition.value, -32768, 32767));
        if (definition.kind == QLatin1String("L")) {
            entry.upper = definition.upper;
            entry.lower = definition.lower;
            entry.decimals = 0;
        }
        views.showSlotAlarm(r, s, k, definition.name);
    }
}

} // namespace

void handleBlockDescription(ConsoleTables &t, ConsoleViews &views, SrvWords msg,
                            ModuleIconFiles &iconFiles) {
    const auto decoded = decodeBlockDescription(msg);
    qDebug() << "case 40:";
    qDebug() << "kod=40 rack = " << t.currnrack << " slot = " << (decoded ? decoded->slot : -1)
             << " len = " << (decoded ? int(decoded->text.size()) : -1);
    if (!decoded) {
        qDebug() << "kod=40: malformed block description dropped";
        return;
    }
    const int s = decoded->slot;
    if (s < 0 || s >= SLOTS_PER_RACK) {
        qDebug().nospace() << "kod=40: slot " << s << " out of range, message dropped";
        return;
    }
    const BlockDescriptionText text = splitBlockDescription(decoded->text);
    if (text.controlTable.size() > MAX_CONTROL_LINES) {
        qDebug() << "ERROR DATA FROM SERVER: kod = 40 Error ControlTable lebn = "
                 << MAX_CONTROL_LINES + 1;
        return;
    }

    const bool currRackNew = t.currRackKnown == -1;
    if (currRackNew &&
        !addRack(t, views, decoded->address, "kod=40: Error: currnrack > MAX_RACK_NUMBER"))
        return;
    const int r = t.currnrack;

    BlockDescription &block = t.block(r, s);
    // The tree shows the slot's NAME and DESCRIPTION_ENG, and the rack.
    if (currRackNew || block.name != text.name || block.descriptionEng != text.descriptionEng)
        t.treeStale = true;
    block.ip = lowByteOctets(decoded->address);
    block.slot = uint8_t(s);
    block.ipText = t.currIp;
    block.name = text.name;
    block.description = text.description;
    block.descriptionEng = text.descriptionEng;
    block.entryCount = int(text.controlTable.size());
    // Lines past the table read "not_defined", which also ends its last line; a block without
    // a table reads empty lines.
    static const QString notDefined = QStringLiteral("not_defined");
    const QString beyond = block.entryCount > 0 ? notDefined : QString();
    for (ControlLines<QString> *lines : {&block.entries, &block.captions}) {
        lines->fill(beyond);
        lines->reserve(block.entryCount);
    }
    for (int i = 0; i < block.entryCount; ++i) {
        block.entries[i] = text.controlTable[i];
        block.captions[i] = controlLineCaption(block.entries[i]);
    }
    if (block.entryCount > 0) {
        block.entries[block.entryCount - 1] += notDefined;
        block.captions[block.entryCount - 1] += notDefined;
    }
    block.valueCount = 0;
    views.invalidateBlockPanel(r, s);

    const QString &iconPath = iconFiles.fileOf(block.name);
    if (!iconPath.isEmpty())
        views.setSlotModule(r, s, iconPath, QString());
    else
        views.setSlotModule(r, s, QString(), block.name);

    SlotAlarms &alarms = t.alarm_table[r][s];
    for (int a = 0; a < ALARMS_PER_SLOT; ++a) {
        views.hideSlotAlarm(r, s, a);
        AlarmEntry &entry = alarms[a];
        entry.reg = -1;
        entry.state = -1;
        entry.ipText.clear();
        entry.spareText.clear();
        entry.name.clear();
        entry.kind.clear();
        entry.value = 0;
        entry.alarmCount = 0;
        entry.viewState1 = 0;
        entry.viewState2 = 0;
        entry.viewState3 = 0;
        entry.upper = 0.0;
        entry.lower = 0.0;
        entry.decimals = 0;
        entry.alarm_set = 0;
        entry.alarmSetOld = 0;
    }
    defineSlotAlarms(t, views, r, s);

    if (t.monitoringOn != 1)
        return;
    for (int pane = 1; pane <= 2; ++pane) {
        const int slot = pane == 1 ? t.monitorSlot1 : t.monitorSlot2;
        if (paneShowsRack(t, pane, r) && slot >= 1 && slot <= SLOTS_PER_RACK)
            views.refreshPaneHeader(pane, r, slot - 1, t.alarm_table[r][slot - 1][0].alarmCount);
    }
}
