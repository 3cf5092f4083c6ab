#pragma once

#include "console/link/consoletables.h"
#include "console/link/consoleviews.h"
#include "console/windows/panegrid.h"

#include <QPalette>

#include <array>

class MyMainButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;
class QWidget;

// Columns of a grid row: the rack button (column 0) and one button per slot.
inline constexpr int GRID_COLUMNS = SLOTS_PER_RACK + 1;
inline constexpr int FRAME_STRIPS = 4;
inline constexpr int PANES = 2;
static_assert(GRID_COLUMNS == 18);

// The slot buttons of one row with what they carry: module label, alarm indicators and labels.
struct SlotRow {
    QGroupBox *box = nullptr;
    std::array<MyMainButton *, GRID_COLUMNS> buttons{}; // [0] is the rack button
    std::array<QLabel *, GRID_COLUMNS> moduleLabels{};  // [0] unused
    std::array<std::array<QLineEdit *, ALARMS_PER_SLOT>, GRID_COLUMNS> alarmLeds{};
    std::array<std::array<QLabel *, ALARMS_PER_SLOT>, GRID_COLUMNS> alarmLabels{};
};

// The row of slot numbers above a slot row.
struct HeaderRow {
    QGroupBox *box = nullptr;
    std::array<MyMainButton *, GRID_COLUMNS> buttons{}; // [0] is the disabled corner
};

// The per-rack slot-button grids of the main window: for each of the 40 racks a header row and
// a slot row, made once and placed in the rack panel when the rack is first reported; the
// selection frames of the two panes; and the two pane rows of the monitor column. Rack and
// slot are 0-based indices here; column = slot + 1. It serves the monitoring panes as their
// grid.
class SlotGrid : public PaneGrid {
public:
    SlotGrid();
    SlotGrid(const SlotGrid &) = delete;
    SlotGrid &operator=(const SlotGrid &) = delete;

    // The rack panel (hidden until racks are reported) and the monitor column; the caller
    // places them in scroll areas, which own them.
    QWidget *gridColumn = nullptr;
    QVBoxLayout *gridColumnLayout = nullptr;
    QWidget *paneRowsWidget = nullptr;
    QWidget *monitorColumn = nullptr;
    int rackPanelWidth = 0;

    std::array<SlotRow, MAX_RACK_NUMBER> rackRows;
    std::array<HeaderRow, MAX_RACK_NUMBER> rackHeaders;
    // Pane p's rows at index p - 1; their slot buttons carry rack -p.
    std::array<SlotRow, PANES> paneRows;
    std::array<HeaderRow, PANES> paneHeaders;
    std::array<std::array<std::array<QLineEdit *, FRAME_STRIPS>, GRID_COLUMNS>, PANES>
        paneRowStrips{};
    // The frames of the PRIMARY (index 0) and SECONDARY (index 1) selected slot button.
    std::array<std::array<QLineEdit *, FRAME_STRIPS>, PANES> selectionStrips{};

    MyMainButton *slotButton(int rack, int slot) const { return rackRows[rack].buttons[slot + 1]; }
    MyMainButton *rackButton(int rack) const { return rackRows[rack].buttons[0]; }
    MyMainButton *headerButton(int rack, int slot) const {
        return rackHeaders[rack].buttons[slot + 1];
    }

    // The rack's two rows below those placed before, with 5 pixels of spacing; the rack button
    // shows ipText.
    void addRackRows(int rack, const QString &ipText);
    void setRackRowsVisible(int rack, bool visible);
    void resizeRackPanel(int height);

    void emptySlotButton(int rack, int slot);
    void setSlotModule(int rack, int slot, const QString &iconPath, const QString &label);
    void setSlotButtonAlarm(int rack, int slot, bool alarm);
    void hideSlotAlarm(int rack, int slot, int alarm);
    void showSlotAlarm(int rack, int slot, int alarm, const QString &name);
    void setSlotAlarmLed(int rack, int slot, int alarm, LedColour colour);
    // The pane's header (the first slot button of its row) and its indicators.
    MyMainButton *paneHeader(int pane) const { return paneRows[pane - 1].buttons[1]; }
    void setPaneAlarmLed(int pane, int alarm, LedColour colour) override;
    void setPaneHeaderAlarm(int pane, bool alarm) override;
    void refreshPaneHeader(int pane, int rack, int slot, int alarmCount) override;
    void resetAlarmIndicators();

    // The pane's selection frame onto the slot button, shown; or hidden.
    void placeSelectionFrame(int pane, int rack, int slot);
    void hideSelectionFrame(int pane) override;
    // True while the pane's frame sits on the slot button.
    bool frameSitsOn(int pane, const MyMainButton *button) const;
    // The slot's number button in the pane's colour, or back in its rack button's palette.
    void markSlotHeader(int pane, int rack, int slot);
    void restoreSlotHeader(int rack, int slot) override;

private:
    void buildRackRows(int rack);
    void buildPaneRows();
    void buildSlotRow(SlotRow &row, int gridRow);
    void buildHeaderRow(HeaderRow &header, bool fixedWidths);
    void resetRowAlarms(SlotRow &row, int firstColumn, int lastColumn);

    QPalette normalPalette;
    QPalette grayPalette;
    std::array<QPalette, 3> ledPalettes; // by LedColour
    std::array<QPalette, PANES> panePalettes;
};
