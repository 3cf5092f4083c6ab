#pragma once

#include <vector>

// Waits until one of the descriptors is readable (or reports an error or hang-up); the index of
// the first such descriptor, or -1 on time-out or failure. timeoutMs -1 waits without limit.
int WaitForReadable(const std::vector<int> &fds, int timeoutMs);
