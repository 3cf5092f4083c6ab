#include "console/link/settingsfile.h"

#include "platform/codec1251.h"

#include <QStringList>

namespace {

constexpr int ADDRESS_COLUMN = 15; // IP_SRV, PORT_SRV, SET_FILE and LAST_TIME

struct LogKey {
    const char *key;
    int column;
    QString SettingsFile::*field;
};

// The six log-filter keys in file order, with their value columns.
constexpr LogKey logKeys[] = {
    {"LOG_FILTER_ON_OFF: ", 19, &SettingsFile::logFilterOnOff},
    {"LOG_SELECT_FILTER: ", 19, &SettingsFile::logSelectFilter},
    {"LOG_DATE_TIME: ", 15, &SettingsFile::logDateTime},
    {"LOG_EVENT_TYPE: ", 16, &SettingsFile::logEventType},
    {"LOG_IPs: ", 9, &SettingsFile::logIPs},
    {"LOG_SLOTs: ", 11, &SettingsFile::logSlots},
};

// The key as it is searched for when reading: the written key without its padding.
QByteArrayView searchKey(const char *writtenKey) {
    QByteArrayView key(writtenKey);
    return key.first(key.indexOf(':') + 1);
}

// The bytes of a line from column on (a value starting before its column loses its head).
QByteArrayView valueAt(QByteArrayView line, qsizetype column) {
    return column < line.size() ? line.sliced(column) : QByteArrayView();
}

QByteArrayView upTo(QByteArrayView text, char stop) {
    const qsizetype end = text.indexOf(stop);
    return end < 0 ? text : text.first(end);
}

int numberOf(QByteArrayView text) {
    return text.toByteArray().toInt(); // 0 when the text is no number
}

void readAddress(QByteArrayView line, SettingsFile &values) {
    const QByteArrayView value = valueAt(line, ADDRESS_COLUMN);
    QByteArrayView rest = value;
    for (std::uint8_t &octet : values.ip_srv) {
        const QByteArrayView field = upTo(rest, '.');
        octet = static_cast<std::uint8_t>(numberOf(field) & 0xFF);
        rest = valueAt(rest, field.size() + 1);
    }
    // The link connects to the text as it stands: an address that is none ("127.0.0.300",
    // "127.0.1") fails to connect rather than reaching a host nobody named.
    values.ip_srv_text = fromWin1251(value);
}

} // namespace

QString octetsText(const std::array<std::uint8_t, 4> &octets) {
    QStringList parts;
    for (std::uint8_t octet : octets)
        parts << QString::number(octet);
    return parts.join('.');
}

QByteArray formatSettingsFile(const SettingsFile &values) {
    QStringList lines(SETTINGS_FILE_LINES);
    lines[0] = QStringLiteral("[SETTINGS FILE]");
    lines[2] = QStringLiteral("IP_SRV:        ") +
               (values.ip_srv_text.isEmpty() ? octetsText(values.ip_srv) : values.ip_srv_text);
    lines[3] = QStringLiteral("PORT_SRV:      ") + values.port_srv_text;
    lines[7] = QStringLiteral("SET_FILE:      ") + values.settingFileName;
    lines[8] = QStringLiteral("LAST_TIME:     ") +
               values.lastTime.toString(QString::fromLatin1(SETTINGS_TIME_FORMAT));
    int lineIndex = 10;
    for (const LogKey &log : logKeys)
        lines[lineIndex++] = QString::fromLatin1(log.key) + values.*log.field;

    QByteArray bytes;
    for (const QString &line : lines)
        bytes += toWin1251(line) + '\n';
    return bytes;
}

void parseSettingsFile(QByteArrayView bytes, SettingsFile &values) {
    QByteArrayView timeText;
    QByteArrayView rest = bytes;
    for (int lineIndex = 0; lineIndex < SETTINGS_FILE_LINES && !rest.isEmpty(); ++lineIndex) {
        QByteArrayView line = upTo(rest, '\n');
        rest = valueAt(rest, line.size() + 1);
        if (line.endsWith('\r'))
            line.chop(1);

        if (line.contains(QByteArrayView("IP_SRV:")))
            readAddress(line, values);
        if (line.contains(QByteArrayView("PORT_SRV:"))) {
            const QByteArrayView port = upTo(valueAt(line, ADDRESS_COLUMN), '.');
            values.port_srv_text = fromWin1251(port);
            values.port_srv = numberOf(port);
        }
        if (line.contains(QByteArrayView("LAST_TIME:")))
            timeText = valueAt(line, ADDRESS_COLUMN);
        for (const LogKey &log : logKeys) {
            if (line.contains(searchKey(log.key)))
                values.*log.field = fromWin1251(valueAt(line, log.column));
        }
    }
    values.lastTime = QDateTime::fromString(QString::fromLatin1(timeText),
                                            QString::fromLatin1(SETTINGS_TIME_FORMAT));
}
