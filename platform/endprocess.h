#pragma once

// Ends the process at once with the given status: writes a debug line, flushes every C and
// C++ output stream and leaves through std::_Exit, so no destructor or other thread (the link
// thread may still run) can stand in the way.
[[noreturn]] void endProcess(int status);
