#include "console/link/pulseanswerscanner.h"

#include "console/link/srvmessage.h"

#include <algorithm>

namespace {

int wordAt(const std::uint8_t *bytes) {
    return int16_t(uint16_t(bytes[0] << 8 | bytes[1]));
}

} // namespace

int PulseAnswerScanner::scan(QByteArrayView bytes) {
    int answers = 0;
    qsizetype i = 0;
    while (i < bytes.size() && !lost) {
        if (headBytes < HEAD_BYTES) {
            head[std::size_t(headBytes++)] = std::uint8_t(bytes[i++]);
            if (headBytes == 2) {
                const int n = wordAt(head.data());
                if (n < 1 || n + 1 > MAX_SRV_MSG_WORDS) {
                    lost = true;
                    break;
                }
                remaining = 2 * qint64(n + 1) - HEAD_BYTES;
            } else if (headBytes == HEAD_BYTES) {
                pulseAnswer = wordAt(head.data() + 2) == msgPulse;
            }
        } else {
            const qint64 skipped = std::min<qint64>(remaining, bytes.size() - i);
            remaining -= skipped;
            i += skipped;
        }
        if (headBytes == HEAD_BYTES && remaining == 0) {
            answers += pulseAnswer;
            headBytes = 0;
        }
    }
    return answers;
}

void PulseAnswerScanner::restart() {
    headBytes = 0;
    remaining = 0;
    pulseAnswer = false;
    lost = false;
}
