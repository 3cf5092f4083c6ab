#include "console/windows/alarmdspin.h"

#include "console/link/consoletables.h"
#include "console/windows/alarmsetting.h"

namespace {

constexpr double LIMIT_RANGE = 1000000.0;

} // namespace

AlarmDspin::AlarmDspin(ConsoleTables &tables, int rack, int slot, int kind, int alarm,
                       QWidget *parent)
    : CommittedSpinBox(parent)
    , rackIndex(rack)
    , slotIndex(slot)
    , alarmWidgetKind(kind)
    , alarmIndex(alarm)
    , tables(&tables) {
    setSingleStep(0.01);
    setDecimals(2);
    setRange(-LIMIT_RANGE, LIMIT_RANGE);
    connect(this, &QDoubleSpinBox::valueChanged, this, &AlarmDspin::slot_Get_Alarm_Value);
}

void AlarmDspin::slot_Get_Alarm_Value(double v) {
    AlarmEntry &entry = tables->alarm_table[rackIndex][slotIndex][alarmIndex];
    if (alarmWidgetKind == AlarmLowerLimit)
        entry.lower = v;
    else if (alarmWidgetKind == AlarmUpperLimit)
        entry.upper = v;
    sendAlarmSetting(*tables, rackIndex, slotIndex, alarmIndex);
}
