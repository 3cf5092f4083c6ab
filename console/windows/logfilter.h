#pragma once

#include "console/link/consoletables.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// The event log's filter rules and the texts in which the settings file keeps the filter.

inline constexpr int LOG_EVENT_TYPES = 4;
inline constexpr int LOG_CRITERIA = 4;
inline constexpr int LOG_SLOTS = SLOTS_PER_RACK;
// Entries of the stored address list that are read back.
inline constexpr int LOG_STORED_ADDRESSES = MAX_RACK_NUMBER;
inline constexpr const char *LOG_TIME_FORMAT = "dd/MM/yyyy hh:mm:ss";
// Most items the address list holds, however many addresses the log records bring.
inline constexpr int LOG_LIST_ADDRESSES = 1000;
static_assert(LOG_SLOTS == 17);

// Event type n is shown as entry n - 1.
extern const std::array<QString, LOG_EVENT_TYPES> eventTypeNames;
// The items of the criteria list, in list order.
extern const std::array<QString, LOG_CRITERIA> logFilterNames;

enum LogCriterion { LogByAddress = 0, LogBySlot = 1, LogByEventType = 2, LogByDateTime = 3 };

// The name of an event type; empty for a type outside 1..4.
QString eventTypeName(int eventType);

// A record's address as the address list shows it: four octets 0..255 joined by "."; nothing
// for an address with any other word.
std::optional<QString> logListAddress(const std::array<int, 4> &ip);

// What the filter panel has checked, and the editors' range.
struct LogFilter {
    std::array<bool, LOG_CRITERIA> criteria{};      // the criteria list, in LogCriterion order
    QSet<QString> addresses;                        // checked address texts
    std::array<bool, LOG_SLOTS> slotNumbers{};      // checked slot numbers
    std::array<bool, LOG_EVENT_TYPES> eventTypes{}; // checked types, index = type - 1
    QDateTime from;
    QDateTime to;

    // A criterion applies when it is checked and, except for the date, something in its list
    // is checked too.
    bool active(LogCriterion criterion) const;
    bool anyActive() const;
};

// Tests records first .. end - 1 against the filter and sets their shown flags (1 passes, 0
// not). With no active criterion every record passes. The date range includes both ends.
// Returns the result for the last record tested (true when none was tested).
bool logRowPassesFilter(const LogFilter &filter, std::span<LogRecord> records, int first, int end);

// One character per check, "1" checked, "0" not.
QString checksText(std::span<const bool> checks);
// The check at `index` of such a text; a missing character counts as unchecked.
bool checkAt(const QString &text, int index);

struct LogAddressEntry {
    QString text;
    bool checked = false;
};

// The stored address list: per item its text, ",", "1" or "0", ";".
QString formatLogAddresses(std::span<const LogAddressEntry> entries);
// Reads at most LOG_STORED_ADDRESSES entries; stops at the first malformed one.
std::vector<LogAddressEntry> parseLogAddresses(const QString &text);

// Whether the stored filter fits the first address list after start: every entry read names
// the list item at its position.
bool logFilterFits(std::span<const LogAddressEntry> stored, const QStringList &listTexts);

// The editors' range: from, ";", to, ";", each in LOG_TIME_FORMAT.
QString formatLogDateTime(const QDateTime &from, const QDateTime &to);
// Both date-times of such a text, or nothing when either does not parse.
std::optional<std::pair<QDateTime, QDateTime>> parseLogDateTime(const QString &text);

// The dialog's title: "Log from  " and the start, with "  -  " and the end when withEnd.
QString logTitle(const QDateTime &from, const QDateTime &to, bool withEnd);
