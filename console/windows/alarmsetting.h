#pragma once

#include "console/link/srvmessage.h"

#include <cstdint>

class ConsoleTables;
struct BlockDescription;

// The alarm-setting message (code 70) sent when the operator changes an alarm's limits,
// "Alarm Setting" or "SNMP trap Setting".

// What each editing widget of an alarm's row sets.
enum AlarmWidgetKind : int32_t {
    AlarmLowerLimit = 0,
    AlarmUpperLimit = 1,
    AlarmSetNormal = 2,
    AlarmSetIgnore = 3,
    AlarmSnmpNormal = 4,
    AlarmSnmpIgnore = 5,
};

// The scale of register `reg` for alarm limits: the block's scale for a register 0..255 (a
// scale of 0 or one that is not a number counts as 1); any other register uses no scale.
double alarmRegisterScale(const BlockDescription &block, int reg);

// A limit in engineering units as its raw register word: limit / scale in double precision,
// converted to single precision, truncated toward zero and clamped to 16 bits (never
// wrapped); a limit that is not a number gives 0.
int16_t alarmLimitWord(double limit, double scale);

// The record that code 70 carries for alarm_table[rack][slot][alarm] (0-based): address and
// slot from the slot's block description, the module type id from the rack's structure.
AlarmWireRecord alarmSettingRecord(const ConsoleTables &tables, int rack, int slot, int alarm);

// Queues that alarm's code-70 message for the server; false when the ring refused it.
bool sendAlarmSetting(const ConsoleTables &tables, int rack, int slot, int alarm);
