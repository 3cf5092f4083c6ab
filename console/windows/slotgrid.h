#pragma once

#include "console/link/consoletables.h"
#include "console/link/consoleviews.h"
#include "console/windows/panegrid.h"

#include <QFont>
#include <QHash>
#include <QIcon>
#include <QPalette>

#include <array>
#include <functional>

class MyMainButton;
class QGroupBox;
class QPoint;
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
// A button's children are null until first needed (SlotGrid makes them).
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
// a slot row, placed in the rack panel when the rack is first reported; the selection frames of
// the two panes; and the two pane rows of the monitor column. Rack and slot are 0-based indices
// here; column = slot + 1. It serves the monitoring panes as their grid.
//
// A rack's rows are made the first time anything asks for them (in the console, when the rack
// is first reported), then kept: rows no one has seen cost no time or memory at start. Rows made
// later are made exactly as if made at start.
class SlotGrid : public PaneGrid {
public:
    // A press on a slot button of a rack row, and the context menu asked for on one at pos
    // (the button's coordinates). Given before the first row is made.
    using SlotPressed = std::function<void(MyMainButton *button)>;
    using SlotMenuRequested = std::function<void(const MyMainButton *button, const QPoint &pos)>;

    explicit SlotGrid(SlotPressed pressed = {}, SlotMenuRequested menuRequested = {});
    SlotGrid(const SlotGrid &) = delete;
    SlotGrid &operator=(const SlotGrid &) = delete;

    // The rack panel (hidden until racks are reported) and the monitor column; the caller
    // places them in scroll areas, which own them.
    QWidget *gridColumn = nullptr;
    QVBoxLayout *gridColumnLayout = nullptr;
    QWidget *paneRowsWidget = nullptr;
    QWidget *monitorColumn = nullptr;
    int rackPanelWidth = 0;

    // The rack's slot row and header row, made if not yet there.
    SlotRow &rackRow(int rack);
    HeaderRow &rackHeader(int rack);
    // True once the rack's rows were made.
    bool hasRackRows(int rack) const { return made[rack]; }
    // Pane p's rows at index p - 1; their slot buttons carry rack -p.
    std::array<SlotRow, PANES> paneRows;
    std::array<HeaderRow, PANES> paneHeaders;
    // Module icons by file, so the slots showing one module share one icon (and its scaled
    // pixmap) and the file is read once per refresh of the views.
    QHash<QString, QIcon> moduleIcons;
    std::array<std::array<std::array<QLineEdit *, FRAME_STRIPS>, GRID_COLUMNS>, PANES>
        paneRowStrips{};
    // The frames of the PRIMARY (index 0) and SECONDARY (index 1) selected slot button.
    std::array<std::array<QLineEdit *, FRAME_STRIPS>, PANES> selectionStrips{};

    MyMainButton *slotButton(int rack, int slot) { return rackRow(rack).buttons[slot + 1]; }
    MyMainButton *rackButton(int rack) { return rackRow(rack).buttons[0]; }
    MyMainButton *headerButton(int rack, int slot) { return rackHeader(rack).buttons[slot + 1]; }

    // The rack's two rows below those placed before, with 5 pixels of spacing; the rack button
    // shows ipText.
    void addRackRows(int rack, const QString &ipText);
    void setRackRowsVisible(int rack, bool visible);
    void resizeRackPanel(int height);

    // The children of a row's slot button at `column` (1..17), made the first time they are
    // needed: until then the button shows what they would show as made (an empty module label,
    // hidden gray indicators and hidden empty alarm labels).
    QLabel *moduleLabel(SlotRow &row, int column);
    QLineEdit *alarmLed(SlotRow &row, int column, int alarm);
    QLabel *alarmLabel(SlotRow &row, int column, int alarm);

    void emptySlotButton(int rack, int slot);
    void setSlotModule(int rack, int slot, const QString &iconPath, const QString &label);
    // The icons loaded since the last call are read from their files again when next set.
    void forgetModuleIcons() { moduleIcons.clear(); }
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

    SlotPressed pressed;
    SlotMenuRequested menuRequested;
    std::array<SlotRow, MAX_RACK_NUMBER> rackRows;
    std::array<HeaderRow, MAX_RACK_NUMBER> rackHeaders;
    std::array<bool, MAX_RACK_NUMBER> made{};
    QPalette normalPalette;
    QPalette whitePalette;
    QPalette grayPalette;
    QFont alarmLabelFont;
    std::array<QPalette, 3> ledPalettes; // by LedColour
    std::array<QPalette, PANES> panePalettes;
};
