#pragma once

#include <QString>

// Colours of an alarm indicator.
enum class LedColour { Gray, Red, Green };

// What the server-message handlers change on screen. The main window implements it over its
// widgets; the handlers call nothing else of the windows. Rack, slot and alarm numbers are
// 0-based indices unless a function says otherwise; pane is 1 (PRIMARY) or 2 (SECONDARY).
class ConsoleViews {
public:
    virtual ~ConsoleViews() = default;

    // Rack rows and rack panel.
    // A rack seen for the first time: its rack button shows the rack's address text and its
    // header and slot rows are added below the others with a spacing of 5.
    virtual void addRackRows(int rack) = 0;
    virtual void setRackRowsVisible(int rack, bool visible) = 0;
    // Resizes the rack panel to its width by `height`, adjusts and shows it.
    virtual void resizeRackPanel(int height) = 0;

    // Network tree.
    virtual void buildNetworkTree() = 0;
    // Sets the icons of the rack's tree item and its slots from the slot buttons' alarm marks.
    virtual void setTreeItemIcon(int rack) = 0;
    virtual void setRackTreeIconRed(int rack) = 0;

    // Slot buttons.
    virtual void enableSlotButton(int rack, int slot) = 0;
    // The slot holds no module: the button takes the rack button's palette, loses icon and
    // module label, is disabled and shows no alarm (alarm mark -1); the rack's tree icon turns
    // green unless another slot button of the rack still shows the alarm colour.
    virtual void emptySlotButton(int rack, int slot) = 0;
    // The module's icon from iconPath (empty: no icon) and the module label's text.
    virtual void setSlotModule(int rack, int slot, const QString &iconPath,
                               const QString &label) = 0;
    // Alarm colour and alarm mark 1, or the normal colour and alarm mark -1.
    virtual void setSlotButtonAlarm(int rack, int slot, bool alarm) = 0;
    // Hides the alarm's indicator (gray) and its label, and empties the label.
    virtual void hideSlotAlarm(int rack, int slot, int alarm) = 0;
    // Shows the alarm's indicator and its label with the alarm's name.
    virtual void showSlotAlarm(int rack, int slot, int alarm, const QString &name) = 0;
    virtual void setSlotAlarmLed(int rack, int slot, int alarm, LedColour colour) = 0;
    // Every slot's and both panes' alarm indicators gray, disabled and hidden, labels empty and
    // hidden, slot buttons and pane headers in the normal colour with alarm mark -1.
    virtual void resetAlarmIndicators() = 0;

    // Monitoring panes.
    // The pane's selected slot (1-based rack and slot) loses its selection marks.
    virtual void resetBlockSelection(int pane, int rack, int slot) = 0;
    virtual void closePane(int pane) = 0;
    virtual void setPaneAlarmLed(int pane, int alarm, LedColour colour) = 0;
    virtual void setPaneHeaderAlarm(int pane, bool alarm) = 0;
    // The pane's header takes the icon, palette and label of the slot's button; its alarm
    // indicators are hidden and emptied, then the first alarmCount shown as the slot's.
    virtual void refreshPaneHeader(int pane, int rack, int slot, int alarmCount) = 0;

    // Block control panels.
    // The slot's module changed: its panel is built anew when next shown.
    virtual void invalidateBlockPanel(int rack, int slot) = 0;
    // Values arrived: enables the panel's content if a pane has shown it and it is disabled.
    virtual void enableBlockContent(int rack, int slot) = 0;
    virtual bool isBlockPageVisible(int rack, int slot) const = 0;
    virtual void fillBlockPage(int rack, int slot) = 0;
    // Rack and slot 1-based, alarm 0..5.
    virtual void loadAlarmWidgets(int rack, int slot, int alarm) = 0;

    // Event log and settings dialogs.
    virtual void clearLogTable() = 0;
    // Appends the record just stored at logRecIndex.
    virtual void addLogRow() = 0;
    virtual void LogDlgInit() = 0;
    virtual void SettingDlgInit() = 0;
};
