// Feeds arbitrary bytes to the settings-file reader as the file's content, and the values it
// reads to the rules that use them: the server address, the log dialog's stored address list and
// its stored date range. Each must take any input, and what it writes back must read the same.
#include "console/link/serveraddress.h"
#include "console/link/settingsfile.h"
#include "console/windows/logfilter.h"

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

// A value that the file cannot give back as it stands: one holding a key the reader looks for
// (its line would be read as that key's too), or one ending in CR (taken for a CRLF line end).
bool readsBackOtherwise(const QString &value) {
    if (value.endsWith(u'\r'))
        return true;
    for (const char *key :
         {"IP_SRV:", "PORT_SRV:", "LAST_TIME:", "LOG_FILTER_ON_OFF:", "LOG_SELECT_FILTER:",
          "LOG_DATE_TIME:", "LOG_EVENT_TYPE:", "LOG_IPs:", "LOG_SLOTs:"}) {
        if (value.contains(QLatin1String(key)))
            return true;
    }
    return false;
}

void checkServerAddress(const QString &text) {
    const auto address = parseServerAddress(text);
    if (!address)
        return;
    const auto again = parseServerAddress(address->toString());
    if (!again || *again != *address)
        __builtin_trap();
}

void checkLogAddresses(const QString &text) {
    const std::vector<LogAddressEntry> entries = parseLogAddresses(text);
    if (int(entries.size()) > LOG_STORED_ADDRESSES)
        __builtin_trap();
    const std::vector<LogAddressEntry> again = parseLogAddresses(formatLogAddresses(entries));
    if (again.size() != entries.size())
        __builtin_trap();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (again[i].text != entries[i].text || again[i].checked != entries[i].checked)
            __builtin_trap();
    }
}

void checkLogDateTime(const QString &text) {
    const auto range = parseLogDateTime(text);
    if (!range)
        return;
    if (!range->first.isValid() || !range->second.isValid())
        __builtin_trap();
    if (parseLogDateTime(formatLogDateTime(range->first, range->second)) != range)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    SettingsFile read;
    parseSettingsFile(QByteArrayView(data, qsizetype(size)), read);

    checkServerAddress(read.ip_srv_text);
    for (const QString *value : {&read.logIPs, &read.logDateTime, &read.logSlots})
        checkLogAddresses(*value);
    checkLogDateTime(read.logDateTime);

    // Written and read again, the values come back.
    const QByteArray written = formatSettingsFile(read);
    if (written.count('\n') != SETTINGS_FILE_LINES)
        __builtin_trap();
    for (const QString *value :
         {&read.ip_srv_text, &read.port_srv_text, &read.logFilterOnOff, &read.logSelectFilter,
          &read.logDateTime, &read.logEventType, &read.logIPs, &read.logSlots}) {
        if (readsBackOtherwise(*value))
            return 0;
    }
    SettingsFile again;
    parseSettingsFile(written, again);
    if (formatSettingsFile(again) != written)
        __builtin_trap();
    return 0;
}
