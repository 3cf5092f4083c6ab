#include "recordingviews.h"

namespace {

QString args(std::initializer_list<int> values) {
    QStringList texts;
    for (int value : values)
        texts.append(QString::number(value));
    return texts.join(QLatin1Char(','));
}

QString colourName(LedColour colour) {
    switch (colour) {
    case LedColour::Gray:
        return QStringLiteral("gray");
    case LedColour::Red:
        return QStringLiteral("red");
    case LedColour::Green:
        return QStringLiteral("green");
    }
    return QString();
}

} // namespace

QStringList RecordingViews::calls(const QString &prefix) const {
    QStringList matching;
    for (const QString &call : log) {
        if (call.startsWith(prefix))
            matching.append(call);
    }
    return matching;
}

void RecordingViews::addRackRows(int rack) {
    record(QStringLiteral("addRackRows(%1)").arg(rack));
}

void RecordingViews::setRackRowsVisible(int rack, bool visible) {
    record(QStringLiteral("setRackRowsVisible(%1,%2)").arg(rack).arg(visible));
}

void RecordingViews::resizeRackPanel(int height) {
    record(QStringLiteral("resizeRackPanel(%1)").arg(height));
}

void RecordingViews::buildNetworkTree() {
    record(QStringLiteral("buildNetworkTree()"));
}

void RecordingViews::setTreeItemIcon(int rack) {
    record(QStringLiteral("setTreeItemIcon(%1)").arg(rack));
}

void RecordingViews::setRackTreeIconRed(int rack) {
    record(QStringLiteral("setRackTreeIconRed(%1)").arg(rack));
}

void RecordingViews::enableSlotButton(int rack, int slot) {
    record(QStringLiteral("enableSlotButton(%1)").arg(args({rack, slot})));
}

void RecordingViews::emptySlotButton(int rack, int slot) {
    record(QStringLiteral("emptySlotButton(%1)").arg(args({rack, slot})));
}

void RecordingViews::setSlotModule(int rack, int slot, const QString &iconPath,
                                   const QString &label) {
    record(QStringLiteral("setSlotModule(%1,%2,%3)").arg(args({rack, slot}), iconPath, label));
}

void RecordingViews::setSlotButtonAlarm(int rack, int slot, bool alarm) {
    record(QStringLiteral("setSlotButtonAlarm(%1)").arg(args({rack, slot, alarm})));
}

void RecordingViews::hideSlotAlarm(int rack, int slot, int alarm) {
    record(QStringLiteral("hideSlotAlarm(%1)").arg(args({rack, slot, alarm})));
}

void RecordingViews::showSlotAlarm(int rack, int slot, int alarm, const QString &name) {
    record(QStringLiteral("showSlotAlarm(%1,%2)").arg(args({rack, slot, alarm}), name));
}

void RecordingViews::setSlotAlarmLed(int rack, int slot, int alarm, LedColour colour) {
    record(QStringLiteral("setSlotAlarmLed(%1,%2)")
               .arg(args({rack, slot, alarm}), colourName(colour)));
}

void RecordingViews::resetAlarmIndicators() {
    record(QStringLiteral("resetAlarmIndicators()"));
}

void RecordingViews::resetBlockSelection(int pane, int rack, int slot) {
    record(QStringLiteral("resetBlockSelection(%1)").arg(args({pane, rack, slot})));
}

void RecordingViews::closePane(int pane) {
    record(QStringLiteral("closePane(%1)").arg(pane));
}

void RecordingViews::setPaneAlarmLed(int pane, int alarm, LedColour colour) {
    record(QStringLiteral("setPaneAlarmLed(%1,%2)").arg(args({pane, alarm}), colourName(colour)));
}

void RecordingViews::setPaneHeaderAlarm(int pane, bool alarm) {
    record(QStringLiteral("setPaneHeaderAlarm(%1)").arg(args({pane, alarm})));
}

void RecordingViews::refreshPaneHeader(int pane, int rack, int slot, int alarmCount) {
    record(QStringLiteral("refreshPaneHeader(%1)").arg(args({pane, rack, slot, alarmCount})));
}

void RecordingViews::invalidateBlockPanel(int rack, int slot) {
    record(QStringLiteral("invalidateBlockPanel(%1)").arg(args({rack, slot})));
}

void RecordingViews::enableBlockContent(int rack, int slot) {
    record(QStringLiteral("enableBlockContent(%1)").arg(args({rack, slot})));
}

bool RecordingViews::isBlockPageVisible(int rack, int slot) const {
    return visibleBlockPages.count({rack, slot}) > 0;
}

void RecordingViews::fillBlockPage(int rack, int slot) {
    record(QStringLiteral("fillBlockPage(%1)").arg(args({rack, slot})));
}

void RecordingViews::loadAlarmWidgets(int rack, int slot, int alarm) {
    record(QStringLiteral("loadAlarmWidgets(%1)").arg(args({rack, slot, alarm})));
}

void RecordingViews::clearLogTable() {
    record(QStringLiteral("clearLogTable()"));
}

void RecordingViews::addLogRow() {
    record(QStringLiteral("addLogRow()"));
}

void RecordingViews::LogDlgInit() {
    record(QStringLiteral("LogDlgInit()"));
}

void RecordingViews::SettingDlgInit() {
    record(QStringLiteral("SettingDlgInit()"));
}
