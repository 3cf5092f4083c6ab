#include "console/windows/logfilter.h"

#include <QStringView>

#include <limits>

const std::array<QString, LOG_EVENT_TYPES> eventTypeNames = {
    QStringLiteral("ALARM"), QStringLiteral("ALARM CLEAR"), QStringLiteral("DEVICE LOST"),
    QStringLiteral("DEVICE PRESENT")};

const std::array<QString, LOG_CRITERIA> logFilterNames = {
    QStringLiteral("IP adress"), QStringLiteral("Slot"), QStringLiteral("Event Type"),
    QStringLiteral("Date Time")};

namespace {

constexpr qint64 MSECS_PER_DAY = 86'400'000;
constexpr qint64 INVALID_TIME = std::numeric_limits<qint64>::min();

// Wall-clock order of a local date-time as one number: cheap to compare for every record, and
// the order in which the operator reads the times. An invalid date-time lies outside any range.
qint64 wallClockKey(const QDateTime &t) {
    if (!t.isValid())
        return INVALID_TIME;
    return t.date().toJulianDay() * MSECS_PER_DAY + t.time().msecsSinceStartOfDay();
}

bool anyChecked(std::span<const bool> checks) {
    for (const bool c : checks)
        if (c)
            return true;
    return false;
}

} // namespace

QString eventTypeName(int eventType) {
    if (eventType < 1 || eventType > LOG_EVENT_TYPES)
        return {};
    return eventTypeNames[eventType - 1];
}

std::optional<QString> logListAddress(const std::array<int, 4> &ip) {
    for (const int octet : ip)
        if (octet < 0 || octet > 255)
            return std::nullopt;
    return QStringLiteral("%1.%2.%3.%4").arg(ip[0]).arg(ip[1]).arg(ip[2]).arg(ip[3]);
}

bool LogFilter::active(LogCriterion criterion) const {
    if (!criteria[criterion])
        return false;
    switch (criterion) {
    case LogByAddress:
        return !addresses.isEmpty();
    case LogBySlot:
        return anyChecked(slotNumbers);
    case LogByEventType:
        return anyChecked(eventTypes);
    case LogByDateTime:
        return true;
    }
    return false;
}

bool LogFilter::anyActive() const {
    return active(LogByAddress) || active(LogBySlot) || active(LogByEventType) ||
           active(LogByDateTime);
}

bool logRowPassesFilter(const LogFilter &filter, std::span<LogRecord> records, int first, int end) {
    const bool byAddress = filter.active(LogByAddress);
    const bool bySlot = filter.active(LogBySlot);
    const bool byType = filter.active(LogByEventType);
    const bool byDate = filter.active(LogByDateTime);
    const qint64 from = wallClockKey(filter.from);
    const qint64 to = wallClockKey(filter.to);

    bool passed = true;
    for (int i = first; i < end; ++i) {
        const LogRecord &r = records[i];
        passed = (!byAddress || filter.addresses.contains(r.ipText)) &&
                 (!bySlot || (r.slot >= 0 && r.slot < LOG_SLOTS && filter.slotNumbers[r.slot])) &&
                 (!byType || (r.eventType >= 1 && r.eventType <= LOG_EVENT_TYPES &&
                              filter.eventTypes[r.eventType - 1]));
        if (passed && byDate) {
            const qint64 t = wallClockKey(r.dateTime);
            passed = t != INVALID_TIME && from <= t && t <= to;
        }
        records[i].shown = passed ? 1 : 0;
    }
    return passed;
}

QString checksText(std::span<const bool> checks) {
    QString text;
    text.reserve(static_cast<qsizetype>(checks.size()));
    for (const bool c : checks)
        text += c ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

bool checkAt(const QString &text, int index) {
    return index >= 0 && index < text.size() && text[index] == QLatin1Char('1');
}

QString formatLogAddresses(std::span<const LogAddressEntry> entries) {
    QString text;
    for (const LogAddressEntry &e : entries)
        text += e.text + QLatin1Char(',') + (e.checked ? QLatin1Char('1') : QLatin1Char('0')) +
                QLatin1Char(';');
    return text;
}

std::vector<LogAddressEntry> parseLogAddresses(const QString &text) {
    std::vector<LogAddressEntry> entries;
    qsizetype pos = 0;
    while (pos < text.size() && static_cast<int>(entries.size()) < LOG_STORED_ADDRESSES) {
        const qsizetype comma = text.indexOf(QLatin1Char(','), pos);
        if (comma < 0 || comma + 2 >= text.size() || text[comma + 2] != QLatin1Char(';'))
            break;
        const QChar digit = text[comma + 1];
        if (digit != QLatin1Char('0') && digit != QLatin1Char('1'))
            break;
        entries.push_back({text.mid(pos, comma - pos), digit == QLatin1Char('1')});
        pos = comma + 3;
    }
    return entries;
}

bool logFilterFits(std::span<const LogAddressEntry> stored, const QStringList &listTexts) {
    for (size_t i = 0; i < stored.size(); ++i)
        if (static_cast<qsizetype>(i) >= listTexts.size() || stored[i].text != listTexts[i])
            return false;
    return true;
}

QString formatLogDateTime(const QDateTime &from, const QDateTime &to) {
    const QString format = QString::fromLatin1(LOG_TIME_FORMAT);
    return from.toString(format) + QLatin1Char(';') + to.toString(format) + QLatin1Char(';');
}

std::optional<std::pair<QDateTime, QDateTime>> parseLogDateTime(const QString &text) {
    const QStringList parts = text.split(QLatin1Char(';'));
    if (parts.size() < 2)
        return std::nullopt;
    const QString format = QString::fromLatin1(LOG_TIME_FORMAT);
    const QDateTime from = QDateTime::fromString(parts[0], format);
    const QDateTime to = QDateTime::fromString(parts[1], format);
    if (!from.isValid() || !to.isValid())
        return std::nullopt;
    return std::pair{from, to};
}

QString logTitle(const QDateTime &from, const QDateTime &to, bool withEnd) {
    const QString format = QString::fromLatin1(LOG_TIME_FORMAT);
    QString title = QStringLiteral("Log from  ") + from.toString(format);
    if (withEnd)
        title += QStringLiteral("  -  ") + to.toString(format);
    return title;
}
