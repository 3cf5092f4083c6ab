#include "setup/rackannounce.h"
#include "setup/textrules.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

// Feeds the bytes to the frame decoder as a datagram, and as Latin-1 text to the text rules.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto *bytes = reinterpret_cast<const char *>(data);
    const qsizetype length = qsizetype(size);

    static std::vector<char> payload(kFramedPacketCapacity);
    int value = -1;
    if (UnwrapFramedPacket(bytes, length, payload.data(), value)) {
        if (value < 2 || value > kFramedPacketCapacity || value > length)
            __builtin_trap();
    } else if (value != -1 && (value < 0 || value >= length)) {
        __builtin_trap();
    }
    IsRackAnnouncement(QByteArray(bytes, length));

    const QString text = QString::fromLatin1(bytes, length);
    SplitDelimitedList(text, u',');
    SplitDelimitedList(text, u'.');
    IntegerTextValue(text, 0);

    QString address = text;
    if (NormalizeIpText(address)) {
        QString again = address;
        if (!NormalizeIpText(again) || again != address || CompareIpTexts(address, text) != 0)
            __builtin_trap();
    }

    int port = 0;
    if (!ParseUdpEndpoint(text, address, port) && (address != "0.0.0.0" || port != 1162))
        __builtin_trap();
    return 0;
}
