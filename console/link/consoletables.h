#pragma once

#include <QString>

#include <array>
#include <cstdint>

// Address tables of the racks the server knows and of the racks selected for this console.
// Process-wide: the settings dialog and the message handlers both read and write them, always
// in the GUI thread.
constexpr int MAX_RACK_ADDRESSES = 255;

struct RackAddress {
    int16_t ip[4] = {0, 0, 0, 0};
    QString text;
};

struct RackAddressTable {
    std::array<RackAddress, MAX_RACK_ADDRESSES> entries;
    int count = 0;

    // Back to zero octets, empty texts and a count of 0.
    void clear();
};

extern RackAddressTable ip_all;     // every rack the server knows (code 110)
extern RackAddressTable ip_all_old; // copy of ip_all
extern RackAddressTable ip_sel;     // racks selected for this console (settings, code 120)
extern RackAddressTable ip_sel_old; // ip_sel before its latest change

// Empties all four address tables (a new server address).
void clearRackAddressTables();
