#pragma once

#include "console/link/consoleviews.h"

// What the monitoring panes need of the main window's slot-button grid: the selection marks
// of the grid and the two pane rows (`paneRowButtons`, `paneHeaderButtons`) of the monitor
// column. Rack and slot are 0-based indices (grid row rack + 1, grid column slot + 1); pane is
// 1 (PRIMARY) or 2 (SECONDARY); the panes check every range before calling.
class PaneGrid {
public:
    virtual ~PaneGrid() = default;

    // The pane's selection frame (`selectionStrips1` or `selectionStrips2`) is hidden.
    virtual void hideSelectionFrame(int pane) = 0;
    // The slot's number button (`slotHeaderButtons`) takes its rack button's palette back.
    virtual void restoreSlotHeader(int rack, int slot) = 0;
    // The pane's header takes the icon, palette and module label text of the slot's button;
    // its six alarm indicators and labels are hidden and emptied, then the first alarmCount
    // (0..6) are shown with the palette of the slot's indicators and the text of its labels.
    virtual void refreshPaneHeader(int pane, int rack, int slot, int alarmCount) = 0;
    // The pane's header button in the alarm colour, or back in the normal colour.
    virtual void setPaneHeaderAlarm(int pane, bool alarm) = 0;
    // The pane's indicator of alarm 0..5.
    virtual void setPaneAlarmLed(int pane, int alarm, LedColour colour) = 0;
};
