#include "console/windows/registertarget.h"

#include "console/link/rings.h"
#include "console/link/srvmessage.h"

bool queueMessageToSrv(const QByteArray &message) {
    return queueToSrv(message.constData(), int(message.size()));
}

bool RegisterTarget::send(int16_t value) const {
    if (!sink)
        return false;
    const WireAddress address{ipOctets[0], ipOctets[1], ipOctets[2], ipOctets[3]};
    return sink(buildSetRegister(address, int16_t(slotIndex), int16_t(reg), value));
}
