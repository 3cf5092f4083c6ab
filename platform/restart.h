#pragma once

// Starts the running program file again, detached, with no arguments; true when it started.
// Called after the event loop has ended, so the new instance finds the files written.
bool StartProgramAgain();
