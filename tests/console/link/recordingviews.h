#pragma once

#include "console/link/consoleviews.h"

#include <QString>
#include <QStringList>

#include <set>
#include <utility>

// Views that record every call as text, e.g. "resetBlockSelection(1,1,4)".
class RecordingViews : public ConsoleViews {
public:
    // The recorded calls whose text starts with `prefix`.
    QStringList calls(const QString &prefix = QString()) const;
    void clear() { log.clear(); }

    void addRackRows(int rack) override;
    void setRackRowsVisible(int rack, bool visible) override;
    void resizeRackPanel(int height) override;
    void buildNetworkTree() override;
    void setTreeItemIcon(int rack) override;
    void setRackTreeIconRed(int rack) override;
    void enableSlotButton(int rack, int slot) override;
    void emptySlotButton(int rack, int slot) override;
    void setSlotModule(int rack, int slot, const QString &iconPath, const QString &label) override;
    void setSlotButtonAlarm(int rack, int slot, bool alarm) override;
    void hideSlotAlarm(int rack, int slot, int alarm) override;
    void showSlotAlarm(int rack, int slot, int alarm, const QString &name) override;
    void setSlotAlarmLed(int rack, int slot, int alarm, LedColour colour) override;
    void resetAlarmIndicators() override;
    void resetBlockSelection(int pane, int rack, int slot) override;
    void closePane(int pane) override;
    void setPaneAlarmLed(int pane, int alarm, LedColour colour) override;
    void setPaneHeaderAlarm(int pane, bool alarm) override;
    void refreshPaneHeader(int pane, int rack, int slot, int alarmCount) override;
    void invalidateBlockPanel(int rack, int slot) override;
    void enableBlockContent(int rack, int slot) override;
    bool isBlockPageVisible(int rack, int slot) const override;
    void fillBlockPage(int rack, int slot) override;
    void loadAlarmWidgets(int rack, int slot, int alarm) override;
    void clearLogTable() override;
    void addLogRow() override;
    void LogDlgInit() override;
    void SettingDlgInit() override;

    // Block pages that report themselves visible, by 0-based rack and slot.
    std::set<std::pair<int, int>> visibleBlockPages;

private:
    void record(const QString &call) { log.append(call); }

    QStringList log;
};
