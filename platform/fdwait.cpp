#include "platform/fdwait.h"

#include <cerrno>
#include <poll.h>

int WaitForReadable(const std::vector<int> &fds, int timeoutMs) {
    std::vector<pollfd> entries;
    entries.reserve(fds.size());
    for (const int fd : fds)
        entries.push_back({fd, POLLIN, 0});
    int ready = 0;
    do {
        ready = ::poll(entries.data(), entries.size(), timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0)
        return -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].revents & (POLLIN | POLLERR | POLLHUP | POLLNVAL))
            return static_cast<int>(i);
    }
    return -1;
}
