#include "console/link/serveraddress.h"

#include <QList>

std::optional<QHostAddress> parseServerAddress(QStringView text) {
    const QList<QStringView> parts = text.split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    quint32 address = 0;
    for (const QStringView rawPart : parts) {
        const QStringView part = rawPart.trimmed();
        if (part.isEmpty())
            return std::nullopt;
        int octet = 0;
        for (const QChar c : part) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
            octet = octet * 10 + (c.unicode() - u'0');
            if (octet > 255)
                return std::nullopt;
        }
        address = (address << 8) | quint32(octet);
    }
    return QHostAddress(address);
}
