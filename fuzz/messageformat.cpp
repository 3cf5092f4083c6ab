// Fuzzes the server-message decoders and the word/byte converters with arbitrary bytes: as a
// stream framed by word 0, and as one message given every code the console decodes.
#include "console/link/srvmessage.h"

#include "platform/codec1251.h"
#include "tools/fakecore/wellformed.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int16_t codes[] = {msgRackStructure,  msgRegisterValues, msgBlockDescription,
                             msgAlarmSettings,  msgAlarmRaised,    msgAlarmCleared,
                             msgAlarmInitFiles, msgAlarmReset,     msgRackSelection,
                             msgPulse,          msgLogRecord,      msgRackNames};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const int nWords = int(size / 2);
    const char *bytes = reinterpret_cast<const char *>(data);
    // Exact-sized buffers, so a read past a message's end is caught.
    std::vector<int16_t> words(static_cast<std::size_t>(nWords));
    ConvertByteToShortBuffer(bytes, 2 * nWords, words.data(), nWords);
    std::vector<char> back(std::size_t(2 * nWords));
    ConvertShortToByteBuffer(words.data(), nWords, back.data(), 2 * nWords);
    if (!back.empty() && std::memcmp(back.data(), bytes, back.size()) != 0)
        __builtin_trap();

    // As a stream: cut whole messages by word 0.
    for (int p = 0; p + 2 <= nWords;) {
        const int n = words[std::size_t(p)];
        if (n < 1 || p + n + 1 > nWords)
            break;
        std::vector<int16_t> message(words.begin() + p, words.begin() + p + n + 1);
        (void)decodesAsConsole(message);
        p += n + 1;
    }

    // As one message of every code.
    if (nWords >= 2) {
        std::vector<int16_t> message = words;
        message[0] = int16_t(nWords - 1);
        for (const int16_t code : codes) {
            message[1] = code;
            (void)decodesAsConsole(message);
        }
        (void)splitBlockDescription(words);
    }

    // The rename builder never writes more than one outbound slot.
    const auto rename =
        buildRackRename({127, 0, 0, 1}, fromWin1251(QByteArrayView(bytes, qsizetype(size))));
    if (rename && rename->size() > NUM_MSG_TO_SRV_BYTES)
        __builtin_trap();
    return 0;
}
