#include "handlerfixture.h"

#include "console/link/globals.h"
#include "console/link/rings.h"

namespace {

void resetLink() {
    clearRackAddressTables();
    srv_reconnect = -1;
    srv_rings_reset = -1;
    srv_log_requested = 1;
    srv_pulse_answered = -1;
    to_srv_130 = 0;
    logToSet = false;
    while (!outboundRing().waitingMessage().isEmpty())
        outboundRing().freeMessage();
}

} // namespace

HandlerTest::HandlerTest() {
    resetLink();
}

HandlerTest::~HandlerTest() {
    resetLink();
}

void HandlerTest::addRack(const Ip &ip, const std::vector<uint32_t> &ids) {
    feed(rackStructureMsg(ip, ids));
    views.clear();
}

std::vector<QByteArray> HandlerTest::takeSent() {
    std::vector<QByteArray> sent;
    while (!outboundRing().waitingMessage().isEmpty()) {
        sent.push_back(outboundRing().waitingMessage().toByteArray());
        outboundRing().freeMessage();
    }
    return sent;
}
