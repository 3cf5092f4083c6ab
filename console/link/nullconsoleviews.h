#pragma once

#include "console/link/consoleviews.h"

// Views that show nothing: for a console without windows yet, tools and fuzzing.
class NullConsoleViews : public ConsoleViews {
public:
    void addRackRows(int) override {}
    void setRackRowsVisible(int, bool) override {}
    void resizeRackPanel(int) override {}
    void buildNetworkTree() override {}
    void setTreeItemIcon(int) override {}
    void setRackTreeIconRed(int) override {}
    void enableSlotButton(int, int) override {}
    void emptySlotButton(int, int) override {}
    void setSlotModule(int, int, const QString &, const QString &) override {}
    void setSlotButtonAlarm(int, int, bool) override {}
    void hideSlotAlarm(int, int, int) override {}
    void showSlotAlarm(int, int, int, const QString &) override {}
    void setSlotAlarmLed(int, int, int, LedColour) override {}
    void resetAlarmIndicators() override {}
    void resetBlockSelection(int, int, int) override {}
    void closePane(int) override {}
    void setPaneAlarmLed(int, int, LedColour) override {}
    void setPaneHeaderAlarm(int, bool) override {}
    void refreshPaneHeader(int, int, int, int) override {}
    void invalidateBlockPanel(int, int) override {}
    void enableBlockContent(int, int) override {}
    bool isBlockPageVisible(int, int) const override { return false; }
    void fillBlockPage(int, int) override {}
    void loadAlarmWidgets(int, int, int) override {}
    void clearLogTable() override {}
    void addLogRow() override {}
    void LogDlgInit() override {}
    void SettingDlgInit() override {}
};
