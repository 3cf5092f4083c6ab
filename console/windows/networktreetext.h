#pragma once

#include "console/link/consoletext.h"

#include <QString>

#include <cstdint>

struct BlockDescription;
struct RackRecord;

// Texts and icon states of the network tree's items.

// Characters of a rack address text that a rack item shows.
inline constexpr int RACK_ITEM_ADDRESS_CHARS = 15;

// "name : address", or the address alone for a rack without a name.
QString rackItemText(const RackRecord &rack);

// "nn : " then, for a slot that holds a module, the module type id in hexadecimal + " : ",
// the module's NAME + " : " when it has one and its DESCRIPTION_ENG; "nn : empty" otherwise.
QString slotItemText(int slot, uint32_t moduleId, const BlockDescription &block);

enum class BlockState { Gray, Green, Red };

// Red while the slot button shows an alarm, green for a module, gray for an empty slot.
BlockState slotBlockState(bool alarmShown, uint32_t moduleId);
