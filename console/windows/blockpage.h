#pragma once

#include <QString>

class BlockDlg;
struct BlockDescription;

// The block panel of a rack's slot against that slot's block description. The main window
// calls these with its own panel and description of rack index `rack` (0..39) and slot index
// `slot` (0..16).

// Builds the panel anew: minimum size and title, the control table (lines holding
// "not_defined" stay empty), the register values and value state, every row; the scales read
// from the control table go back into the description. The panel then sits at (0, 0).
void setupBlockWindow(BlockDlg &panel, BlockDescription &block, int rack, int slot,
                      const QString &title);

// Refreshes a built panel in place from the description; sends nothing.
void fillBlockPage(BlockDlg &panel, const BlockDescription &block, int rack, int slot);

// Register values arrived for the block: a panel that a pane has shown and whose content is
// disabled gets its content enabled.
void enableBlockContent(BlockDlg &panel);
