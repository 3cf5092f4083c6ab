#pragma once

#include <QString>

// What the network tree needs of the main window's slot-button grid and monitoring panes.
// Rack and slot are 0-based indices (grid row rack + 1, grid column slot + 1); pane is 1
// (PRIMARY) or 2 (SECONDARY).
class NetworkTreeHost {
public:
    virtual ~NetworkTreeHost() = default;

    // The slot button's alarm mark: 1 while it shows an alarm, -1 while it does not.
    virtual int slotAlarmMark(int rack, int slot) const = 0;
    virtual bool isSlotButtonEnabled(int rack, int slot) const = 0;
    // The rack is listed at treeRow (1-based) of the tree: its rack button shows ipText and
    // remembers treeRow.
    virtual void setRackButton(int rack, const QString &ipText, int treeRow) = 0;
    // Presses the slot button, which makes the slot the PRIMARY selection and shows pane 1.
    virtual void clickSlotButton(int rack, int slot) = 0;

    // The pane's selection frame is hidden, or re-parented onto the slot button and shown.
    virtual void hideSelectionFrame(int pane) = 0;
    virtual void placeSelectionFrame(int pane, int rack, int slot) = 0;
    // The slot's number button takes its rack button's palette back, or the pane's colour.
    virtual void restoreSlotHeader(int rack, int slot) = 0;
    virtual void markSlotHeader(int pane, int rack, int slot) = 0;
    // Closes the pane's window.
    virtual void closePane(int pane) = 0;
    // Shows the pane's selection; rack is 1-based, as in the tables' pane selections, whose
    // slot the pane shows.
    virtual void showMonitorPane(int pane, int rack) = 0;
};
