#pragma once

#include <QHostAddress>
#include <QStringView>

#include <optional>

// The server address as the link accepts it: exactly four dot-separated decimal octets, each
// 0 to 255 after trimming blanks (leading zeros are decimal: "010" is ten). Anything else, host
// names included, is no address; the link never resolves names.
std::optional<QHostAddress> parseServerAddress(QStringView text);
