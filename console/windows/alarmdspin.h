#pragma once

#include <QDoubleSpinBox>

#include <cstdint>

class ConsoleTables;
class QWheelEvent;

// A limit editor of one alarm (kind AlarmLowerLimit or AlarmUpperLimit): every value the
// operator commits (Enter, leaving the editor after an edit, one arrow-key, arrow-button or
// wheel step) is stored in the alarm's entry and sent as an alarm setting; the digits typed on
// the way are not. The wheel changes it only while it has focus, so scrolling a table never
// sends.
class AlarmDspin : public QDoubleSpinBox {
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

protected:
    void wheelEvent(QWheelEvent *event) override;

private:
    ConsoleTables *tables = nullptr;
};
