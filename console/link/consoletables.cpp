#include "console/link/consoletables.h"

RackAddressTable ip_all;
RackAddressTable ip_all_old;
RackAddressTable ip_sel;
RackAddressTable ip_sel_old;

void RackAddressTable::clear() {
    for (RackAddress &address : entries)
        address = RackAddress{};
    count = 0;
}

void clearRackAddressTables() {
    ip_all.clear();
    ip_all_old.clear();
    ip_sel.clear();
    ip_sel_old.clear();
}
