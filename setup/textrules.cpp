#include "setup/textrules.h"

namespace {

constexpr int kInvalidPart = 999;
constexpr qint64 kMaxMagnitude = qint64(1) << 31;

bool isSkipped(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

int digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (base == 16 && u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (base == 16 && u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// The value of one address part, or -1 when it is no integer in 0..255.
int partValue(const QString &part) {
    const int value = IntegerTextValue(TrimText(part), kInvalidPart);
    return value >= 0 && value <= 255 ? value : -1;
}

} // namespace

QString TrimText(const QString &text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QStringList SplitDelimitedList(const QString &text, QChar delimiter) {
    QStringList items;
    const qsizetype nul = text.indexOf(QChar(0));
    const qsizetype end = nul < 0 ? text.size() : nul;
    qsizetype p = 0;
    auto skipBlanks = [&] {
        while (p < end && isSkipped(text[p]))
            ++p;
    };
    skipBlanks();
    while (p < end) {
        QString item;
        if (text[p] == u'"') {
            ++p;
            while (p < end) {
                if (text[p] != u'"') {
                    item += text[p++];
                } else if (p + 1 < end && text[p + 1] == u'"') {
                    item += u'"';
                    p += 2;
                } else {
                    ++p;
                    break;
                }
            }
        } else {
            const qsizetype begin = p;
            while (p < end && text[p].unicode() > 32 && text[p] != delimiter)
                ++p;
            item = text.mid(begin, p - begin);
        }
        items.append(item);
        skipBlanks();
        if (p < end && text[p] == delimiter) {
            if (p + 1 == end)
                items.append(QString());
            ++p;
            skipBlanks();
        }
    }
    return items;
}

int IntegerTextValue(const QString &text, int defaultValue) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return defaultValue;
    qint64 magnitude = 0;
    for (; i < n; ++i) {
        const int digit = digitValue(text[i], base);
        if (digit < 0)
            return defaultValue;
        magnitude = magnitude * base + digit;
        if (magnitude > kMaxMagnitude)
            return defaultValue;
    }
    if (!negative && magnitude == kMaxMagnitude)
        return defaultValue;
    return int(negative ? -magnitude : magnitude);
}

bool NormalizeIpText(QString &text) {
    const QStringList parts = SplitDelimitedList(TrimText(text), u'.');
    if (parts.size() != 4)
        return false;
    QStringList canonical;
    for (const QString &part : parts) {
        const int value = partValue(part);
        if (value < 0)
            return false;
        canonical.append(QString::number(value));
    }
    text = canonical.join(u'.');
    return true;
}

quint32 IpTextToNumber(const QString &text) {
    const QStringList parts = SplitDelimitedList(text, u'.');
    quint32 value = 0;
    for (qsizetype i = 0; i < parts.size() && i < 4; ++i)
        value = (value << 8) | quint32(IntegerTextValue(parts[i], 0));
    return value;
}

std::optional<quint32> IpTextValue(const QString &text) {
    QString canonical = text;
    return NormalizeIpText(canonical) ? std::optional(IpTextToNumber(canonical)) : std::nullopt;
}

int CompareIpTexts(const QString &a, const QString &b) {
    const std::optional<quint32> x = IpTextValue(a);
    const std::optional<quint32> y = IpTextValue(b);
    if (!x || !y)
        return kInvalidIpComparison;
    return *x < *y ? -1 : (*x > *y ? 1 : 0);
}

bool ParseUdpEndpoint(const QString &text, QString &address, int &port) {
    address = QString::fromLatin1(kDefaultEndpointAddress);
    port = kDefaultEndpointPort;
    QString lower = TrimText(text);
    for (QChar &c : lower) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    if (!lower.startsWith(u"udp:"))
        return false;
    QString retained;
    for (const QChar c : lower) {
        if (c == u'.' || c == u'/' || (c >= u'0' && c <= u'9'))
            retained += c;
        else if (c != u' ' && c != u':' && c != u'd' && c != u'p' && c != u'u')
            return false;
    }
    const QStringList halves = SplitDelimitedList(retained, u'/');
    if (halves.size() != 2)
        return false;
    const int parsedPort = IntegerTextValue(halves[1], -1);
    QString parsedAddress = halves[0];
    if (parsedPort < 0 || !NormalizeIpText(parsedAddress))
        return false;
    address = parsedAddress;
    port = parsedPort;
    return true;
}

bool IpTextToOctets(const QString &text, std::array<int, 4> &octets) {
    octets = {0, 0, 0, 0};
    const QStringList parts = SplitDelimitedList(TrimText(text), u'.');
    if (parts.size() != 4)
        return false;
    for (qsizetype i = 0; i < 4; ++i) {
        const int value = partValue(parts[i]);
        if (value < 0)
            return false;
        octets[i] = value;
    }
    return true;
}
