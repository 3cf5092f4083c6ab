#pragma once

#include "console/link/srvmessage.h"

#include <QString>

class ConsoleTables;
class ConsoleViews;

// Handlers of the rack names (161), rack structure (20) and block description (40) messages.
// Each runs with the rack lookup of the current message done (currIp, currnrack,
// currRackKnown).
void handleRackNames(ConsoleTables &t, SrvWords msg);
void handleRackStructure(ConsoleTables &t, ConsoleViews &views, SrvWords msg);
// iconRoot: the folder that holds "ICONS_NEW".
void handleBlockDescription(ConsoleTables &t, ConsoleViews &views, SrvWords msg,
                            const QString &iconRoot);

// Hides a shown rack: its rows go, the panel shrinks, the tree is rebuilt.
void hideRack(ConsoleTables &t, ConsoleViews &views, int rack);
