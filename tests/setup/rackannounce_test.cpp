#include "setup/rackannounce.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

struct Decoded {
    bool ok = false;
    int value = -1;
    QByteArray payload;
};

Decoded decode(const QByteArray &datagram) {
    std::vector<char> destination(kFramedPacketCapacity);
    Decoded d;
    d.ok = UnwrapFramedPacket(datagram.constData(), datagram.size(), destination.data(), d.value);
    if (d.ok)
        d.payload = QByteArray(destination.data(), d.value);
    return d;
}

struct FrameCase {
    const char *name;
    QByteArray datagram;
    bool ok;
    int value; // payload length, bad-escape offset, or -1 for untouched
    QByteArray payload;
};

TEST(UnwrapFramedPacket, DecodesOrRejectsFrames) {
    const std::vector<FrameCase> cases = {
        {"plain announcement", bytes({5, 5, 0, 0, 0, 0, 0x10, 8, 0, 0, 6, 6}), true, 4,
         bytes({0, 0, 0x10, 8})},
        {"junk around the frame",
         bytes({1, 6, 6, 5, 5, 5, 0, 0, 0, 0x10, 8, 0, 0, 6, 6, 6, 5, 5, 9}), true, 4,
         bytes({0, 0, 0x10, 8})},
        {"stray 05 before the marker", bytes({5, 0, 5, 5, 0, 0, 0xA, 0xB, 0, 0, 6, 6}), true, 2,
         bytes({0xA, 0xB})},
        {"escapes", bytes({5, 5, 0, 0, 0, 0, 0x10, 4, 0x10, 4, 0x0C, 4, 0x13, 0, 0, 6, 6}), true, 6,
         bytes({0, 0, 0x10, 8, 4, 0x0B})},
        {"escape out of range",
         bytes({5, 5, 0xAA, 0xBB, 0, 0, 4, 0x18, 8, 0xCC, 0xDD, 6, 6}),
         false,
         6,
         {}},
        {"escape below range",
         bytes({9, 5, 5, 0xAA, 0xBB, 0, 4, 0x0B, 8, 0xCC, 0xDD, 6, 6}),
         false,
         6,
         {}},
        {"escape as last payload byte",
         bytes({5, 5, 0xAA, 0xBB, 0, 0, 0x10, 4, 0xCC, 0xDD, 6, 6}),
         false,
         7,
         {}},
        {"single decoded byte",
         bytes({5, 5, 0xAA, 0xBB, 4, 0x0C, 0xCC, 0xDD, 6, 6}),
         false,
         -1,
         {}},
        {"empty payload", bytes({5, 5, 0, 0, 0, 0, 6, 6}), false, -1, {}},
        {"markers only", bytes({5, 5, 6, 6}), false, -1, {}},
        {"too short", bytes({5, 5, 1, 1, 1, 6, 6}), false, -1, {}},
        {"no end marker", bytes({5, 5, 0, 0, 1, 2, 3, 0, 0, 6}), false, -1, {}},
        {"end marker before start", bytes({6, 6, 0, 0, 1, 2, 0, 0, 5, 5}), false, -1, {}},
        {"no start marker", bytes({5, 0, 0, 0, 1, 2, 0, 0, 6, 6}), false, -1, {}},
        {"one byte", bytes({5}), false, -1, {}},
        {"empty", QByteArray(), false, -1, {}},
    };
    for (const FrameCase &c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d = decode(c.datagram);
        EXPECT_EQ(d.ok, c.ok);
        EXPECT_EQ(d.value, c.value);
        EXPECT_EQ(d.payload, c.payload);
    }
}

TEST(UnwrapFramedPacket, LooksAtNoMoreThanItsCapacity) {
    QByteArray datagram(kFramedPacketCapacity + 100, char(0x55));
    datagram.replace(0, 2, bytes({5, 5}));
    datagram.replace(kFramedPacketCapacity + 10, 2, bytes({6, 6}));
    EXPECT_FALSE(decode(datagram).ok);

    datagram.replace(kFramedPacketCapacity - 2, 2, bytes({6, 6}));
    const Decoded d = decode(datagram);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.value, kFramedPacketCapacity - 8);
}

TEST(UnwrapFramedPacket, RejectsNegativeLengths) {
    const QByteArray frame = bytes({5, 5, 0, 0, 0, 0, 0x10, 8, 0, 0, 6, 6});
    std::vector<char> destination(kFramedPacketCapacity);
    int value = -1;
    EXPECT_FALSE(UnwrapFramedPacket(frame.constData(), -5, destination.data(), value));
    EXPECT_EQ(value, -1);
}

TEST(IsRackAnnouncement, NeedsTheAnnouncementPrefix) {
    EXPECT_TRUE(IsRackAnnouncement(bytes({5, 5, 0, 0, 0, 0, 0x10, 8, 0, 0, 6, 6})));
    EXPECT_TRUE(IsRackAnnouncement(bytes({5, 5, 0, 0, 0, 0, 0x10, 4, 0x10, 7, 7, 0, 0, 6, 6})));
    EXPECT_FALSE(IsRackAnnouncement(bytes({5, 5, 0, 0, 0, 0, 4, 0x18, 0, 0, 6, 6})));
    EXPECT_FALSE(IsRackAnnouncement(bytes({5, 5, 0, 0, 0, 0, 0x10, 0, 0, 6, 6})));
    EXPECT_FALSE(IsRackAnnouncement(bytes({5, 5, 0, 0, 0, 1, 0x10, 8, 0, 0, 6, 6})));
    EXPECT_FALSE(IsRackAnnouncement(QByteArray()));
}

} // namespace
