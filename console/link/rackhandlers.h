#pragma once

#include "console/link/srvmessage.h"

#include <QString>

class ConsoleTables;
class ConsoleViews;
class ModuleIconFiles;

// Handlers of the rack names (161), rack structure (20) and block description (40) messages.
// Each runs with the rack lookup of the current message done (currIp, currnrack,
// currRackKnown).
void handleRackNames(ConsoleTables &t, SrvWords msg);
void handleRackStructure(ConsoleTables &t, ConsoleViews &views, SrvWords msg);
void handleBlockDescription(ConsoleTables &t, ConsoleViews &views, SrvWords msg,
                            ModuleIconFiles &iconFiles);

// Hides a shown rack: its rows go, the panel is marked to shrink and the tree for a rebuild.
void hideRack(ConsoleTables &t, ConsoleViews &views, int rack);
// Once for all the racks a chunk added, showed or hid: resizes the rack panel when a handler
// marked it stale (rackPanelStale), then rebuilds the network tree when one marked it stale
// (treeStale).
void refreshStaleViews(ConsoleTables &t, ConsoleViews &views);
// Once the inbound ring was emptied for a new connection (srv_rings_reset), hides every shown
// rack and clears the flag. The link notice and the first chunk of the new connection both
// call it; whichever comes first hides the racks, so the new connection's racks, shown by its
// own messages, are never hidden afterwards.
void hideRacksAfterRingsReset(ConsoleTables &t, ConsoleViews &views);
