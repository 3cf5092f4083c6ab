#pragma once

#include <QByteArray>

// Decoding of the racks' UDP announcement frames: 05 05, two bytes, the escaped payload, two
// bytes, 06 06. In the payload 04 followed by 0C..13 stands for that byte minus 8.

inline constexpr qsizetype kFramedPacketCapacity = 32768;
inline constexpr qsizetype kMinFrameLength = 8;

// Decodes the first frame of the datagram into destination, which must hold
// kFramedPacketCapacity bytes; at most kFramedPacketCapacity input bytes are looked at.
// True: value is the payload length (2 or more). False on a bad escape: value is the offset of
// the offending 04 from the start of the datagram. Any other false leaves value untouched.
bool UnwrapFramedPacket(const char *source, qsizetype length, char *destination, int &value);

// True when the datagram holds a usable frame whose payload begins with 00 00 10 08.
bool IsRackAnnouncement(const QByteArray &datagram);
