// Feeds arbitrary text (a stored list value, as the configuration files hold it) to the
// address-list rules: the list filled from it holds canonical addresses only, each once, in
// ascending order, and filling again changes nothing; the octets of an address agree with its
// value.
#include "setup/addresslist.h"
#include "setup/textrules.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

void checkList(const QStringList &list) {
    std::optional<quint32> previous;
    for (const QString &item : list) {
        QString canonical = item;
        if (!NormalizeIpText(canonical) || canonical != item)
            __builtin_trap();
        const quint32 value = IpTextToNumber(item);
        if (previous && *previous >= value)
            __builtin_trap();
        previous = value;
    }
}

void checkOctets(const QString &text) {
    std::array<int, 4> octets{};
    const bool valid = IpTextToOctets(text, octets);
    quint32 value = 0;
    for (const int octet : octets) {
        if (octet < 0 || octet > 255)
            __builtin_trap();
        value = value << 8 | quint32(octet);
    }
    const std::optional<quint32> expected = IpTextValue(text);
    if (valid != expected.has_value() || (valid && value != *expected))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));

    QStringList list;
    FillIpList(list, text);
    checkList(list);
    const QStringList filled = list;
    FillIpList(list, text);
    FillIpList(list, JoinListItems(filled));
    if (list != filled)
        __builtin_trap();
    for (const QString &item : filled) {
        if (AddUniqueIp(list, item) || AddUniqueIp(list, item.toUpper()))
            __builtin_trap();
    }

    checkOctets(text);
    for (const QString &item : SplitDelimitedList(text, u','))
        checkOctets(item);
    const bool added = AddUniqueIp(list, text);
    if (added == filled.contains(text, Qt::CaseInsensitive) || AddUniqueIp(list, text))
        __builtin_trap();
    return 0;
}
