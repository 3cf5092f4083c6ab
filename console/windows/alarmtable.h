#pragma once

#include "console/link/consoletables.h"

#include <array>
#include <functional>

class AlarmDspin;
class AlarmSnmpSetBtn;
class ConsoleViews;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;
class QWidget;

// The alarm-setting cells of every rack, slot and alarm, and the pane tables that show one
// slot's cells at a time. A slot's cells are made the first time the slot is shown, loaded or
// asked for, then kept. This object owns the cells; a table only borrows them: showing another
// slot, or the table's destruction, gives them back, so each cell lives as long as this
// object.
class AlarmTable {
public:
    // The block panel's number field of a register, whose step and decimals the limit
    // editors take (null: step 1 and no decimals). Rack and slot 0-based.
    using RegisterSpinLookup = std::function<const QDoubleSpinBox *(int rack, int slot, int reg)>;

    // The five widgets of one alarm's row, in column order, and the radio buttons inside.
    struct Cells {
        QLabel *name = nullptr;
        AlarmDspin *lower = nullptr;
        AlarmDspin *upper = nullptr;
        QWidget *alarmSetCell = nullptr;
        QWidget *snmpCell = nullptr;
        AlarmSnmpSetBtn *alarmSetNormal = nullptr;
        AlarmSnmpSetBtn *alarmSetIgnore = nullptr;
        AlarmSnmpSetBtn *snmpNormal = nullptr;
        AlarmSnmpSetBtn *snmpIgnore = nullptr;
    };

    static constexpr int COLUMNS = 5;
    static constexpr int ROW_HEIGHT = 50;

    AlarmTable(ConsoleTables &tables, ConsoleViews &views, RegisterSpinLookup registerSpin = {});
    ~AlarmTable();
    AlarmTable(const AlarmTable &) = delete;
    AlarmTable &operator=(const AlarmTable &) = delete;

    // A pane's table as a child of its alarm page: 5 titled columns, no rows yet, not
    // editable as text. Tab and Shift+Tab take the keyboard focus to the cell they highlight,
    // and the highlight follows a click into a cell's control. Make one per pane and pass it
    // to every showSlot of that pane.
    static QTableWidget *createPaneTable(QWidget *alarmPage);

    // Shows the slot's alarms (0-based rack and slot) in `table`: one row per alarm defined
    // for the slot, holding its cells, filled from its entries with their signals blocked;
    // then the slot's widgets count as loaded.
    void showSlot(QTableWidget &table, int rack, int slot);

    // Refills one alarm's cells from its entry with their signals blocked (rack and slot
    // 1-based, alarm 0..5); nothing outside those ranges.
    void loadAlarmWidgets(int rack, int slot, int alarm);

    // The alarm's cells (0-based rack and slot), made with their slot's if not yet there.
    Cells &cells(int rack, int slot, int alarm);
    // True once the slot's cells were made.
    bool hasCells(int rack, int slot) const { return made[rack][slot]; }

private:
    // Fills alarm [r][s][a]'s cells; atBuild also takes step and decimals and the enabled state.
    void fillCells(int r, int s, int a, bool atBuild);
    void makeSlotCells(int r, int s);

    ConsoleTables &tables;
    ConsoleViews &views;
    RegisterSpinLookup registerSpin;
    std::array<std::array<std::array<Cells, ALARMS_PER_SLOT>, SLOTS_PER_RACK>, MAX_RACK_NUMBER>
        store{};
    std::array<std::array<bool, SLOTS_PER_RACK>, MAX_RACK_NUMBER> made{};
};
