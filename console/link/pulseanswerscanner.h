#pragma once

#include <QByteArrayView>

#include <array>
#include <cstdint>

// Follows the framing of the server's byte stream as the link thread reads it, so that pulse
// answers are noted when they arrive, not when the window thread reaches them behind queued
// input. A stream that can no longer be framed (word 0 below 1, or a message longer than the
// console takes) is followed no further: the window thread drops it and the link is rebuilt.
class PulseAnswerScanner {
public:
    // The next bytes of the stream; returns how many whole pulse answers they complete.
    int scan(QByteArrayView bytes);
    // A new connection: framing starts afresh.
    void restart();

private:
    static constexpr int HEAD_BYTES = 4; // word 0 and the code

    std::array<std::uint8_t, HEAD_BYTES> head{};
    int headBytes = 0;    // bytes of the current message's head seen so far
    qint64 remaining = 0; // bytes of the current message left after its head
    bool pulseAnswer = false;
    bool lost = false;
};
