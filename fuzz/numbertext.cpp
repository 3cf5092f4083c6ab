// Feeds arbitrary texts and display formats to the numeric edit's text rules: parsing,
// formatting, the key filter and the integer value must stay defined for every input.
#include "controls/framed/numbertext.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::size_t split = data[0] % size;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1),
                                           qsizetype(split > 0 ? split - 1 : 0));
    const QString format =
        QString::fromUtf8(reinterpret_cast<const char *>(data + split), qsizetype(size - split));
    const double value = ParseNumberText(text, QLatin1Char('.'));
    (void)LowInt32OfRounded(value);
    (void)FormatNumberText(value, format.left(64), QLatin1Char(','), QLatin1Char('.'));
    double raw = 0;
    if (size >= sizeof raw) {
        std::memcpy(&raw, data + size - sizeof raw, sizeof raw);
        (void)LowInt32OfRounded(raw);
        (void)FormatNumberText(raw, QString(), QLatin1Char(','), QLatin1Char('.'));
        (void)RangeBound(raw, value, 255, true);
    }
    NumberKeyContext context;
    context.text = text;
    context.selectionStart = int(data[0] % (text.size() + 1));
    context.selectionLength = int(data[1] % (text.size() + 1));
    context.integersOnly = (data[1] & 1) != 0;
    for (QChar ch : format.left(16))
        (void)IsValidNumberKey(ch, context);
    return 0;
}
