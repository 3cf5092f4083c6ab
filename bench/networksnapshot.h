#pragma once

// A full network snapshot as the server sends it to a console that has just said hello: rack
// names and lists, 40 racks of 17 slots, each slot with a block description of the given
// control table and its register values, cut into ring-sized chunks.

#include "console/link/consoletables.h"
#include "console/link/rings.h"
#include "tools/fakecore/servermessages.h"

#include <QStringList>

#include <vector>

struct NetworkSnapshot {
    std::vector<QByteArray> chunks;
    int messages = 0;
};

inline NetworkSnapshot makeNetworkSnapshot(const QStringList &controlTable) {
    std::vector<WireAddress> racks;
    std::vector<RackNameEntry> names;
    for (int r = 0; r < MAX_RACK_NUMBER; ++r) {
        racks.push_back({127, 0, 1, int16_t(r)});
        names.push_back({racks.back(), QStringLiteral("Стойка %1").arg(r)});
    }
    const std::vector<int16_t> values(std::size_t(controlTable.size()), 1234);
    std::vector<uint32_t> ids;
    for (int s = 0; s < SLOTS_PER_RACK; ++s)
        ids.push_back(0xA10000u + uint32_t(s));

    NetworkSnapshot snapshot;
    QByteArray stream;
    const auto add = [&](const QByteArray &message) {
        stream += message;
        ++snapshot.messages;
    };
    add(encodeRackNames(names));
    add(encodeAlarmReset(racks));
    add(encodeRackSelectionList(racks));
    for (const WireAddress &rack : racks) {
        add(encodeRackStructure(rack, ids));
        for (int s = 0; s < SLOTS_PER_RACK; ++s) {
            add(encodeBlockDescription(rack, int16_t(s),
                                       {QStringLiteral("MOD%1").arg(s),
                                        QStringLiteral("Модуль питания"),
                                        QStringLiteral("Power module"), controlTable}));
            add(encodeRegisterValues(rack, int16_t(s), values));
        }
    }
    for (qsizetype at = 0; at < stream.size(); at += RX_CHUNK_BYTES)
        snapshot.chunks.push_back(stream.mid(at, RX_CHUNK_BYTES));
    return snapshot;
}
