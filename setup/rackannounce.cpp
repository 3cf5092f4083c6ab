#include "setup/rackannounce.h"

#include <cstring>
#include <vector>

namespace {

constexpr unsigned char kStartMarker = 0x05;
constexpr unsigned char kEndMarker = 0x06;
constexpr unsigned char kEscape = 0x04;
constexpr unsigned char kEscapedFirst = 0x0C;
constexpr unsigned char kEscapedLast = 0x13;
constexpr unsigned char kEscapeOffset = 8;
constexpr unsigned char kAnnouncement[] = {0x00, 0x00, 0x10, 0x08};

static_assert(kEscapedFirst - kEscapeOffset == kEscape);
static_assert(kMinFrameLength == 8, "two markers and four uninterpreted bytes");

qsizetype findPair(const unsigned char *bytes, qsizetype from, qsizetype length, unsigned char b) {
    for (qsizetype i = from; i + 1 < length; ++i) {
        if (bytes[i] == b && bytes[i + 1] == b)
            return i;
    }
    return -1;
}

} // namespace

bool UnwrapFramedPacket(const char *source, qsizetype length, char *destination, int &value) {
    if (source == nullptr || destination == nullptr || length < 2)
        return false;
    const auto *bytes = reinterpret_cast<const unsigned char *>(source);
    const qsizetype n = qMin(length, kFramedPacketCapacity);
    const qsizetype start = findPair(bytes, 0, n, kStartMarker);
    if (start < 0)
        return false;
    const qsizetype endMarker = findPair(bytes, start + 2, n, kEndMarker);
    if (endMarker < 0)
        return false;
    const qsizetype end = endMarker + 2;
    if (end - start < kMinFrameLength)
        return false;
    const qsizetype last = end - 5;
    qsizetype out = 0;
    for (qsizetype k = start + 4; k <= last; ++k) {
        unsigned char b = bytes[k];
        if (b == kEscape) {
            if (k + 1 > last || bytes[k + 1] < kEscapedFirst || bytes[k + 1] > kEscapedLast) {
                value = int(k);
                return false;
            }
            b = bytes[++k] - kEscapeOffset;
        }
        destination[out++] = char(b);
    }
    if (out < 2)
        return false;
    value = int(out);
    return true;
}

bool IsRackAnnouncement(const QByteArray &datagram) {
    std::vector<char> payload(kFramedPacketCapacity);
    int length = 0;
    if (!UnwrapFramedPacket(datagram.constData(), datagram.size(), payload.data(), length))
        return false;
    return length >= int(sizeof kAnnouncement) &&
           std::memcmp(payload.data(), kAnnouncement, sizeof kAnnouncement) == 0;
}
