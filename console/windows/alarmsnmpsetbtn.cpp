#include "console/windows/alarmsnmpsetbtn.h"

#include "console/link/consoletables.h"
#include "console/link/consoleviews.h"
#include "console/windows/alarmsetting.h"
#include "console/windows/buttonfocus.h"

#include <QKeyEvent>

AlarmSnmpSetBtn::AlarmSnmpSetBtn(ConsoleTables &tables, ConsoleViews &views, const QString &text,
                                 int rack, int slot, int kind, int alarm, QWidget *parent)
    : QRadioButton(text, parent)
    , rackIndex(rack)
    , slotIndex(slot)
    , alarmWidgetKind(kind)
    , alarmIndex(alarm)
    , tables(&tables)
    , views(&views) {
    connect(this, &QAbstractButton::clicked, this, &AlarmSnmpSetBtn::slot_Get_Alarm_SNMP_Set);
}

void AlarmSnmpSetBtn::slot_Get_Alarm_SNMP_Set() {
    AlarmEntry &entry = tables->alarm_table[rackIndex][slotIndex][alarmIndex];
    entry.alarmSetOld = entry.alarm_set;
    switch (alarmWidgetKind) {
    case AlarmSetNormal:
        entry.alarm_set = 1;
        break;
    case AlarmSetIgnore:
        // An ignored alarm counts as not raised at once, before the server answers.
        if (entry.alarm_set == 1)
            views->setSlotAlarmLed(rackIndex, slotIndex, alarmIndex, LedColour::Gray);
        entry.alarm_set = 0;
        entry.state = -1;
        break;
    case AlarmSnmpNormal:
        entry.snmp = 1;
        break;
    case AlarmSnmpIgnore:
        entry.snmp = 0;
        break;
    default:
        break;
    }
    sendAlarmSetting(*tables, rackIndex, slotIndex, alarmIndex);
}

void AlarmSnmpSetBtn::keyPressEvent(QKeyEvent *event) {
    if (!moveFocusWithoutClick(*this, *event))
        QRadioButton::keyPressEvent(event);
}
