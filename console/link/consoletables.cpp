#include "console/link/consoletables.h"

RackAddressTable ip_all;
RackAddressTable ip_all_old;
RackAddressTable ip_sel;
RackAddressTable ip_sel_old;

void RackAddressTable::clear() {
    for (RackAddress &address : entries)
        address = RackAddress{};
    count = 0;
}

void clearRackAddressTables() {
    ip_all.clear();
    ip_all_old.clear();
    ip_sel.clear();
    ip_sel_old.clear();
}

std::unique_ptr<ConsoleTables> ConsoleTables::create() {
    return std::unique_ptr<ConsoleTables>(new ConsoleTables);
}

ConsoleTables::ConsoleTables() {
    for (int r = 0; r < MAX_RACK_NUMBER; ++r) {
        rack[r].number = r;
        for (int s = 0; s < SLOTS_PER_RACK; ++s) {
            block(r, s).rackIndex = static_cast<uint8_t>(r);
            block(r, s).slot = static_cast<uint8_t>(s);
            for (int a = 0; a < ALARMS_PER_SLOT; ++a)
                resetAlarmEntry(r, s, a);
        }
    }
}

void ConsoleTables::resetAlarmEntry(int rack, int slot, int alarm) {
    AlarmEntry &entry = alarm_table[rack][slot][alarm];
    entry = AlarmEntry{};
    entry.rackIndex = rack;
    entry.slotIndex = slot;
    entry.alarmIndex = alarm;
}
