#pragma once

#include "console/windows/committedspinbox.h"

#include <cstdint>

class ConsoleTables;

// A limit editor of one alarm (kind AlarmLowerLimit or AlarmUpperLimit): every limit the
// operator commits is stored in the alarm's entry and sent as an alarm setting.
class AlarmDspin : public CommittedSpinBox {
    Q_OBJECT

public:
    AlarmDspin(ConsoleTables &tables, int rack, int slot, int kind, int alarm,
               QWidget *parent = nullptr);

    int32_t rackIndex = 0;
    int32_t slotIndex = 0;
    int32_t alarmWidgetKind = 0;
    int32_t alarmIndex = 0;

public slots:
    void slot_Get_Alarm_Value(double v);

private:
    ConsoleTables *tables = nullptr;
};
