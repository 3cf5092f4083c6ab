#include "console/windows/alarmsetting.h"

#include "console/link/consoletables.h"
#include "console/link/rings.h"
#include "console/windows/registervalues.h"

#include <algorithm>
#include <cmath>

double alarmRegisterScale(const BlockDescription &block, int reg) {
    if (reg < 0 || reg >= int(block.scale.size()))
        return 1.0;
    return usableScale(block.scale[reg]);
}

int16_t alarmLimitWord(double limit, double scale) {
    const double raw = limit / usableScale(scale);
    if (std::isnan(raw))
        return 0;
    // Clamping before the narrowing keeps it defined; truncation and rounding to single
    // precision are monotonic and keep the integer bounds, so the result is the same.
    const double clamped = std::clamp(raw, double(REGISTER_MIN), double(REGISTER_MAX));
    return static_cast<int16_t>(std::trunc(static_cast<float>(clamped)));
}

namespace {

int16_t clampedWord(int value) {
    return static_cast<int16_t>(std::clamp(value, REGISTER_MIN, REGISTER_MAX));
}

} // namespace

AlarmWireRecord alarmSettingRecord(const ConsoleTables &tables, int rack, int slot, int alarm) {
    const BlockDescription &block = tables.blockDesc[rack * SLOTS_PER_RACK + slot];
    const AlarmEntry &entry = tables.alarm_table[rack][slot][alarm];
    AlarmWireRecord record;
    record.address = {block.ip[0], block.ip[1], block.ip[2], block.ip[3]};
    record.slot = block.slot;
    record.reg = clampedWord(entry.reg);
    const bool limitPair = entry.kind == QLatin1String("L");
    record.kind = limitPair ? 1 : 2;
    if (limitPair) {
        const double scale = alarmRegisterScale(block, entry.reg);
        record.lower = alarmLimitWord(entry.lower, scale);
        record.upper = alarmLimitWord(entry.upper, scale);
    }
    record.value = entry.value;
    record.alarmSet = entry.alarm_set;
    record.snmp = entry.snmp;
    record.alarmIndex = static_cast<int16_t>(alarm);
    record.moduleId = tables.rack[rack].nRackStructureTable[slot];
    return record;
}

bool sendAlarmSetting(const ConsoleTables &tables, int rack, int slot, int alarm) {
    const QByteArray message = buildAlarmSetting(alarmSettingRecord(tables, rack, slot, alarm));
    return queueToSrv(message.constData(), int(message.size()));
}
