#pragma once

#include <QRadioButton>

#include <cstdint>

class ConsoleTables;
class ConsoleViews;
class QKeyEvent;

// One choice of an alarm's "Alarm Setting" (kinds AlarmSetNormal, AlarmSetIgnore) or "SNMP
// trap Setting" (AlarmSnmpNormal, AlarmSnmpIgnore): a click stores the choice in the alarm's
// entry and sends the alarm setting, also when the button was already checked; so does Space.
// Arrow keys only move the focus to the other choice.
class AlarmSnmpSetBtn : public QRadioButton {
    Q_OBJECT

public:
    AlarmSnmpSetBtn(ConsoleTables &tables, ConsoleViews &views, const QString &text, int rack,
                    int slot, int kind, int alarm, QWidget *parent = nullptr);

    int32_t rackIndex = 0;
    int32_t slotIndex = 0;
    int32_t alarmWidgetKind = 0;
    int32_t alarmIndex = 0;

public slots:
    void slot_Get_Alarm_SNMP_Set();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    ConsoleTables *tables = nullptr;
    ConsoleViews *views = nullptr;
};
