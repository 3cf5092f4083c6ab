#pragma once

#include "console/link/srvmessage.h"

class ConsoleTables;
class ConsoleViews;

// Handlers of register values (30), alarm settings (80), alarms raised and cleared (90, 91)
// and alarm-init files (100).
void handleRegisterValues(ConsoleTables &t, ConsoleViews &views, SrvWords msg);
void handleAlarmSettings(ConsoleTables &t, ConsoleViews &views, SrvWords msg);
void handleAlarmEvent(ConsoleTables &t, ConsoleViews &views, SrvWords msg);
void handleAlarmInitFiles(ConsoleTables &t, SrvWords msg);
