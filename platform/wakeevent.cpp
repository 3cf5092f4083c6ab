#include "platform/wakeevent.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

WakeEvent::WakeEvent()
    : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

WakeEvent::~WakeEvent() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void WakeEvent::signal() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_fd, &one, sizeof one);
}

bool WakeEvent::consume() {
    std::uint64_t count = 0;
    return ::read(m_fd, &count, sizeof count) == static_cast<ssize_t>(sizeof count) && count > 0;
}
