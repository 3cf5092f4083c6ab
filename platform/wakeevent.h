#pragma once

// An eventfd that one thread signals to wake another out of poll. Signalled until consumed.
class WakeEvent {
public:
    WakeEvent();
    ~WakeEvent();
    WakeEvent(const WakeEvent &) = delete;
    WakeEvent &operator=(const WakeEvent &) = delete;

    bool isValid() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    void signal();
    // Clears the signalled state; true when it was signalled.
    bool consume();

private:
    int m_fd = -1;
};
