#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Text rules for addresses, integers, delimited lists and SNMP endpoints. Every function is pure
// and safe on any input: a NUL ends the text, as it does in the configuration files.

inline constexpr int kInvalidIpComparison = 999;
inline constexpr auto kDefaultEndpointAddress = "0.0.0.0";
inline constexpr int kDefaultEndpointPort = 1162;

// Removes characters with codes 0..32 from both ends.
QString TrimText(const QString &text);

// Items of a delimited list: blanks and control characters around items are absorbed, a blank
// between two items also separates them, "..." quotes an item ("" inside stands for one quote).
QStringList SplitDelimitedList(const QString &text, QChar delimiter);

// A signed 32-bit integer: leading blanks, an optional sign, decimal digits or hexadecimal
// digits after "$", "x", "X", "0x" or "0X", nothing after them; anything else gives the default.
int IntegerTextValue(const QString &text, int defaultValue);

// True when the text is four parts 0..255 separated by dots; the text then becomes canonical
// (plain decimal, no blanks, no leading zeros). On false the text is left as it was.
bool NormalizeIpText(QString &text);

// The 32-bit value of a canonical address, first part most significant.
quint32 IpTextToNumber(const QString &text);

// The 32-bit value of any valid address text, or nothing when it is no address.
std::optional<quint32> IpTextValue(const QString &text);

// -1, 0 or 1 by unsigned address value; kInvalidIpComparison when either text is no address.
int CompareIpTexts(const QString &a, const QString &b);

// "udp:" + address + "/" + port. The outputs always hold a usable endpoint: the canonical
// address and the port on success, kDefaultEndpointAddress and kDefaultEndpointPort otherwise.
bool ParseUdpEndpoint(const QString &text, QString &address, int &port);

// The four parts of an address; stops at the first part outside 0..255, the parts not reached
// stay 0.
bool IpTextToOctets(const QString &text, std::array<int, 4> &octets);
