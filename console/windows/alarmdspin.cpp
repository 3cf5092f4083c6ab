#include "console/windows/alarmdspin.h"

#include "console/link/consoletables.h"
#include "console/windows/alarmsetting.h"

#include <QWheelEvent>

namespace {

constexpr double LIMIT_RANGE = 1000000.0;

} // namespace

AlarmDspin::AlarmDspin(ConsoleTables &tables, int rack, int slot, int kind, int alarm,
                       QWidget *parent)
    : QDoubleSpinBox(parent)
    , rackIndex(rack)
    , slotIndex(slot)
    , alarmWidgetKind(kind)
    , alarmIndex(alarm)
    , tables(&tables) {
    // The wheel must not give focus either: scrolling past an editor leaves it alone.
    setFocusPolicy(Qt::StrongFocus);
    // Only a committed limit is sent, never the digits typed on the way to it.
    setKeyboardTracking(false);
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

void AlarmDspin::wheelEvent(QWheelEvent *event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QDoubleSpinBox::wheelEvent(event);
}
