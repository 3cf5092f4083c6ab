#include "console/windows/blockpage.h"

#include "console/link/consoletables.h"
#include "console/windows/blockdlg.h"

static_assert(PANEL_LINES == MAX_CONTROL_LINES);

namespace {

// The control table, register values, position and value state of the block.
void copyBlock(BlockDlg &panel, const BlockDescription &block, int rack, int slot) {
    for (int e = 0; e < PANEL_LINES; ++e) {
        const QString &entry = block.entries[e];
        panel.lines[e] = entry.contains(QLatin1String("not_defined")) ? QString() : entry;
        panel.values[e] = block.values[e];
    }
    panel.rackIndex = rack;
    panel.slotIndex = slot;
    panel.state = block.valuesState;
}

} // namespace

void setupBlockWindow(BlockDlg &panel, BlockDescription &block, int rack, int slot,
                      const QString &title) {
    panel.setMinimumSize(575, 653);
    panel.setWindowTitle(title);
    copyBlock(panel, block, rack, slot);
    panel.ipOctets = block.ip;
    // Scales come from this module's control table only; a previous module's stay behind.
    panel.scale.fill(1.0);
    panel.CreateBlockControls();
    block.scale = panel.scale;
    panel.built = 1;
    panel.move(0, 0);
}

void fillBlockPage(BlockDlg &panel, const BlockDescription &block, int rack, int slot) {
    copyBlock(panel, block, rack, slot);
    panel.UpdateBlockControls();
}

void enableBlockContent(BlockDlg &panel) {
    if (panel.viewAttached == 1 && panel.content && !panel.content->isEnabled())
        panel.content->setEnabled(true);
}
