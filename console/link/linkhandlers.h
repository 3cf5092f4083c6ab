#pragma once

#include "console/link/srvmessage.h"

class ConsoleTables;
class ConsoleViews;

// Handlers of the alarm reset with the list of all racks (110), the racks selected for this
// console (120), the pulse answer (130) and one event-log record (140).
void handleAlarmReset(ConsoleTables &t, ConsoleViews &views, SrvWords msg);
void handleRackSelection(ConsoleTables &t, ConsoleViews &views, SrvWords msg);
// The first answer after a connect clears the log table and requests the log range (the link
// thread counts the answers).
void handlePulseAnswer(ConsoleTables &t, ConsoleViews &views, SrvWords msg);
void handleLogRecord(ConsoleTables &t, ConsoleViews &views, SrvWords msg);
