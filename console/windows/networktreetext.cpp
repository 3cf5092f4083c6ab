#include "console/windows/networktreetext.h"

#include "console/link/consoletables.h"

QString rackItemText(const RackRecord &rack) {
    const QString address = rack.ipText.left(RACK_ITEM_ADDRESS_CHARS);
    if (rack.name.isEmpty())
        return address;
    return rack.name + QStringLiteral(" : ") + address;
}

QString slotItemText(int slot, uint32_t moduleId, const BlockDescription &block) {
    QString text = QStringLiteral("%1 : ").arg(slot, 2, 10, QLatin1Char('0'));
    if (moduleId == 0)
        return text + QStringLiteral("empty");
    text += QString::number(moduleId, 16) + QStringLiteral(" : ");
    if (!block.name.isEmpty())
        text += block.name + QStringLiteral(" : ");
    return text + block.descriptionEng;
}

BlockState slotBlockState(bool alarmShown, uint32_t moduleId) {
    if (alarmShown)
        return BlockState::Red;
    return moduleId != 0 ? BlockState::Green : BlockState::Gray;
}
