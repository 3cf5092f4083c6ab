#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <functional>

// Takes one whole message for the server; false when it was not taken.
using MessageSink = std::function<bool(const QByteArray &message)>;

// The console's sink: the outbound ring, sent by the link thread on its next turn.
bool queueMessageToSrv(const QByteArray &message);

// The register a sending control writes, and the sink its writes go to.
struct RegisterTarget {
    MessageSink sink;
    int slotIndex = 0;
    std::array<uint8_t, 4> ipOctets{};
    int reg = 0;

    // Sends one set-register message carrying `value`; false when nothing was sent.
    bool send(int16_t value) const;
};
