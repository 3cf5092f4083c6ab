#pragma once

// What the targets that feed the console's message processing share: reading an input as a
// sequence of commands, the well-framed messages they ask for, and the return of the tables
// and the process-wide link state to where every input starts.

#include "console/link/consoletables.h"
#include "console/link/rings.h"
#include "console/link/srvmessage.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

// Codes of the well-framed messages, some twice so they come more often; 60 is one the console
// does not know.
inline constexpr int16_t fuzzedCodes[] = {20,  30,  40,  80,  90, 91, 100, 110,
                                          120, 130, 140, 161, 60, 20, 40};

struct FuzzInput {
    const uint8_t *data;
    size_t size;
    size_t pos = 0;

    bool done() const { return pos >= size; }
    uint8_t byte() { return pos < size ? data[pos++] : 0; }
    QByteArray bytes(size_t n) {
        n = std::min(n, size - pos);
        QByteArray out(reinterpret_cast<const char *>(data + pos), qsizetype(n));
        pos += n;
        return out;
    }

    // One well-framed message: the code picked by the control byte c, a word-count byte n and
    // n words, small values most of the time so that counts, slots and lengths fit now and then.
    QByteArray framedMessage(uint8_t c) {
        const int16_t kod = fuzzedCodes[(c & 0x0F) % std::size(fuzzedCodes)];
        const int n = byte();
        QByteArray message;
        appendWord(message, n + 1);
        appendWord(message, kod);
        for (int i = 0; i < n; ++i) {
            const uint8_t high = byte();
            const uint8_t low = byte();
            appendWord(message, high & 0x40 ? (high << 8 | low) : (high & 0x01 ? -low : low));
        }
        return message;
    }

    static void appendWord(QByteArray &out, int word) {
        out.append(char((word >> 8) & 0xFF));
        out.append(char(word & 0xFF));
    }
};

// Returns the tables to their initial state. Copying all of them back (some 20 MB) would cost
// far more than handling an input, so only what an input can have changed is copied: the racks
// it added with their blocks and alarms, and the alarm-init rows and log records it wrote, at
// most one of each per message (a message takes at least 4 of the bytes fed).
inline void restoreTables(ConsoleTables &t, const ConsoleTables &initial, std::size_t bytesFed) {
    const int racks = t.rackCount;
    std::copy_n(initial.rack.begin(), racks, t.rack.begin());
    std::copy_n(initial.blockDesc.begin(), racks * SLOTS_PER_RACK, t.blockDesc.begin());
    std::copy_n(initial.alarm_table.begin(), racks, t.alarm_table.begin());
    const std::size_t messages = bytesFed / 4;
    std::copy_n(initial.alarm_init_file.begin(),
                std::min<std::size_t>(messages, MAX_ALARM_INIT_FILES), t.alarm_init_file.begin());
    std::copy_n(initial.logRecords.begin(), std::min<std::size_t>(messages, MAX_LOG_RECORDS),
                t.logRecords.begin());
    t.logRecIndex = initial.logRecIndex;
    t.AccumBuffer = initial.AccumBuffer;
    t.n_srv = initial.n_srv;
    t.rackNameList = initial.rackNameList;
    t.rxCarry = initial.rxCarry;
    t.msgWordCount = initial.msgWordCount;
    t.kod = initial.kod;
    t.currIp = initial.currIp;
    t.currnrack = initial.currnrack;
    t.currRackKnown = initial.currRackKnown;
    t.currRackMatched = initial.currRackMatched;
    t.treeStale = initial.treeStale;
    t.rackCount = initial.rackCount;
    t.visibleRackCount = initial.visibleRackCount;
    t.rackPanelHeight = initial.rackPanelHeight;
    t.num_init_file_all = initial.num_init_file_all;
    t.monitorRack1 = initial.monitorRack1;
    t.monitorSlot1 = initial.monitorSlot1;
    t.monitorRack2 = initial.monitorRack2;
    t.monitorSlot2 = initial.monitorSlot2;
    t.monitoringOn = initial.monitoringOn;
}

// The address tables empty, the link connected and answering (the log request due at the next
// pulse answer) and nothing waiting to be sent.
inline void restoreLinkState() {
    clearRackAddressTables();
    srv_reconnect = -1;
    srv_link_shown = -1;
    srv_rings_reset = -1;
    srv_log_requested = -1;
    srv_pulse_answered = 1;
    to_srv_130 = 0;
    while (!outboundRing().waitingMessage().isEmpty())
        outboundRing().freeMessage();
}
