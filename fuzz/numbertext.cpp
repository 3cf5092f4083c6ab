// Feeds arbitrary texts and display formats to the numeric edit's text rules: parsing,
// formatting, the key filter and the integer value must stay defined for every input, and a
// value formatted and parsed again comes back within the format's precision: 15 significant
// digits for the general format, half of the last decimal for a format of digit placeholders.
#include "controls/framed/numbertext.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Largest magnitude whose 15-digit general form does not round past the largest double.
constexpr double GENERAL_FORMAT_LIMIT = 1e308;

// A format of digit placeholders only, with the shape taken from the bits of `shape`:
// 1 to 4 integer digits, grouping, 0 to 7 decimals of which some optional, and a bracketed
// negative section.
QString placeholderFormat(std::uint8_t shape, int decimals) {
    QString section = shape & 0x04 ? QStringLiteral("#,##") : QString();
    section += QString(1 + (shape & 0x03), QLatin1Char('0'));
    if (decimals > 0) {
        const int optional = (shape >> 3 & 0x03) % (decimals + 1);
        section += QLatin1Char('.') + QString(decimals - optional, QLatin1Char('0')) +
                   QString(optional, QLatin1Char('#'));
    }
    if (shape & 0x40)
        return section + QStringLiteral(";(") + section + QLatin1Char(')');
    return section;
}

// The parsed value lies within `absolute` of the value, give or take the rounding of a double
// to the decimal text and back (which 15 significant digits keep within 1e-14 of the value).
bool within(double parsed, double value, double absolute) {
    return std::fabs(parsed - value) <= absolute * (1 + 1e-15) + 1e-14 * std::fabs(value);
}

void checkRoundTrips(double value, std::uint8_t shape) {
    if (!std::isfinite(value))
        return;
    const bool swapped = shape & 0x80;
    const QChar thousands = swapped ? QLatin1Char('.') : QLatin1Char(',');
    const QChar decimal = swapped ? QLatin1Char(',') : QLatin1Char('.');
    if (std::fabs(value) <= GENERAL_FORMAT_LIMIT) {
        const QString general = FormatNumberText(value, QString(), thousands, decimal);
        if (!within(ParseNumberText(general, decimal), value, 0))
            __builtin_trap();
    }
    const int decimals = shape >> 3 & 0x07;
    const QString format = placeholderFormat(shape, decimals);
    const QString fixed = FormatNumberText(value, format, thousands, decimal);
    if (!within(ParseNumberText(fixed, decimal), value, 0.5 * std::pow(10.0, -decimals)))
        __builtin_trap();
}

} // namespace

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
    checkRoundTrips(value, data[1]);
    double raw = 0;
    if (size >= sizeof raw) {
        std::memcpy(&raw, data + size - sizeof raw, sizeof raw);
        (void)LowInt32OfRounded(raw);
        (void)FormatNumberText(raw, QString(), QLatin1Char(','), QLatin1Char('.'));
        (void)RangeBound(raw, value, 255, true);
        checkRoundTrips(raw, data[1]);
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
