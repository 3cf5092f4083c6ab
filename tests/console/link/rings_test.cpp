#include "console/link/rings.h"

#include "debuglog.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <chrono>
#include <cstring>
#include <memory>
#include <semaphore>
#include <thread>

namespace {

QByteArray numbered(int n, int size = 6) {
    QByteArray bytes(size, char(n & 0xff));
    bytes[0] = char(n >> 8);
    return bytes;
}

void fillChunk(InboundRing &ring, const QByteArray &bytes) {
    char *chunk = ring.reserveChunk();
    ASSERT_NE(chunk, nullptr);
    std::memcpy(chunk, bytes.constData(), size_t(bytes.size()));
    ring.publishChunk(int(bytes.size()));
}

TEST(OutboundRing, SendsMessagesInQueueOrderAndFreesEachSlot) {
    auto ring = std::make_unique<OutboundRing>();
    for (int i = 0; i < 2 * RING_ENTRIES + 3; ++i) {
        SCOPED_TRACE(i);
        const QByteArray message = numbered(i, 4 + i % 300);
        ASSERT_TRUE(ring->queue(message.constData(), int(message.size())));
        EXPECT_EQ(ring->waitingMessage().toByteArray(), message);
        ring->freeMessage();
        EXPECT_TRUE(ring->waitingMessage().isEmpty());
    }
}

TEST(OutboundRing, FullRingDropsTheNewMessageAndKeepsTheWaitingOne) {
    DebugLog log;
    auto ring = std::make_unique<OutboundRing>();
    for (int i = 0; i < RING_ENTRIES; ++i) {
        const QByteArray message = numbered(i);
        ASSERT_TRUE(ring->queue(message.constData(), int(message.size())));
    }
    const QByteArray extra = numbered(9999, 10);
    EXPECT_FALSE(ring->queue(extra.constData(), int(extra.size())));
    EXPECT_EQ(log.count("outbound ring full"), 1);

    EXPECT_EQ(ring->waitingMessage().toByteArray(), numbered(0));
    ring->freeMessage();
    ASSERT_TRUE(ring->queue(extra.constData(), int(extra.size())));
    for (int i = 1; i < RING_ENTRIES; ++i) {
        ASSERT_EQ(ring->waitingMessage().toByteArray(), numbered(i)) << i;
        ring->freeMessage();
    }
    EXPECT_EQ(ring->waitingMessage().toByteArray(), extra);
}

TEST(OutboundRing, RefusesMessagesThatDoNotFitASlot) {
    DebugLog log;
    auto ring = std::make_unique<OutboundRing>();
    const QByteArray tooLong(NUM_MSG_TO_SRV_BYTES + 1, 'x');
    EXPECT_FALSE(ring->queue(tooLong.constData(), int(tooLong.size())));
    EXPECT_FALSE(ring->queue(tooLong.constData(), 0));
    EXPECT_EQ(log.count("dropped"), 2);
    EXPECT_TRUE(ring->waitingMessage().isEmpty());

    const QByteArray full(NUM_MSG_TO_SRV_BYTES, 'y');
    ASSERT_TRUE(ring->queue(full.constData(), int(full.size())));
    EXPECT_EQ(ring->waitingMessage().toByteArray(), full);
}

TEST(OutboundRing, SlotOfAShortMessageHoldsNoBytesOfAnEarlierOne) {
    auto ring = std::make_unique<OutboundRing>();
    const QByteArray longMessage(NUM_MSG_TO_SRV_BYTES, 'L');
    for (int i = 0; i < RING_ENTRIES; ++i) {
        ring->queue(longMessage.constData(), int(longMessage.size()));
        ring->freeMessage();
    }
    const QByteArray shortMessage("ab");
    ring->queue(shortMessage.constData(), 2);
    const QByteArrayView waiting = ring->waitingMessage();
    ASSERT_EQ(waiting.size(), 2);
    EXPECT_EQ(waiting.data()[2], '\0');
}

TEST(InboundRing, ChunksAreTakenInOrderAcrossTheWrap) {
    auto ring = std::make_unique<InboundRing>();
    for (int i = 0; i < 3 * RING_ENTRIES / 2; ++i) {
        SCOPED_TRACE(i);
        fillChunk(*ring, numbered(i, 2 + i % 50));
        if (i % 2 == 1) {
            for (int j = i - 1; j <= i; ++j) {
                const InboundChunk chunk = ring->takeInboundChunk();
                EXPECT_FALSE(chunk.dropPartial());
                EXPECT_EQ(chunk.bytes().toByteArray(), numbered(j, 2 + j % 50));
            }
        }
    }
    const InboundChunk none = ring->takeInboundChunk();
    EXPECT_TRUE(none.bytes().isEmpty());
    EXPECT_FALSE(none.dropPartial());
}

TEST(InboundRing, ChunksPublishedWhileASignalIsPendingAreNotSignalledAgain) {
    auto ring = std::make_unique<InboundRing>();
    fillChunk(*ring, numbered(0));
    EXPECT_TRUE(ring->announceChunk());
    for (int i = 1; i < RING_ENTRIES; ++i) {
        fillChunk(*ring, numbered(i));
        EXPECT_FALSE(ring->announceChunk()) << i;
    }
    ring->takeNotice();
    for (int i = 0; i < RING_ENTRIES; ++i)
        ASSERT_EQ(ring->takeInboundChunk().bytes().toByteArray(), numbered(i)) << i;
    fillChunk(*ring, numbered(7));
    EXPECT_TRUE(ring->announceChunk()) << "taken notice: the next chunk is signalled";
    EXPECT_FALSE(ring->announceChunk());
}

// A consumer that drains the ring at each signal never misses a chunk, however the two threads
// interleave.
TEST(InboundRing, ADrainAtEverySignalTakesEveryChunk) {
    constexpr int CHUNKS = 20 * RING_ENTRIES;
    auto ring = std::make_unique<InboundRing>();
    std::binary_semaphore signal(0);
    std::thread producer([&] {
        for (int i = 0; i < CHUNKS; ++i) {
            char *chunk = nullptr;
            while (!(chunk = ring->reserveChunk()))
                std::this_thread::yield();
            const QByteArray bytes = numbered(i);
            std::memcpy(chunk, bytes.constData(), size_t(bytes.size()));
            ring->publishChunk(int(bytes.size()));
            if (ring->announceChunk())
                signal.release();
        }
    });
    int taken = 0;
    bool inOrder = true;
    while (taken < CHUNKS && signal.try_acquire_for(std::chrono::seconds(10))) {
        // As the GUI thread does: take all, take the notice, and take what came meanwhile.
        for (int round = 0; round < 2; ++round) {
            if (round == 1)
                ring->takeNotice();
            for (InboundChunk chunk = ring->takeInboundChunk(); !chunk.bytes().isEmpty();
                 chunk = ring->takeInboundChunk())
                inOrder = inOrder && chunk.bytes().toByteArray() == numbered(taken++);
        }
    }
    producer.join();
    EXPECT_EQ(taken, CHUNKS);
    EXPECT_TRUE(inOrder);
}

TEST(InboundRing, FullRingRefusesTheNextChunkUntilOneIsFreed) {
    auto ring = std::make_unique<InboundRing>();
    for (int i = 0; i < RING_ENTRIES; ++i)
        fillChunk(*ring, numbered(i));
    EXPECT_EQ(ring->reserveChunk(), nullptr);
    EXPECT_EQ(ring->waitingChunks(), RING_ENTRIES);

    InboundChunk held = ring->takeInboundChunk();
    EXPECT_EQ(held.bytes().toByteArray(), numbered(0));
    // Still held by the consumer: not free for the link thread.
    EXPECT_EQ(ring->reserveChunk(), nullptr);
    held.release();
    fillChunk(*ring, numbered(RING_ENTRIES));

    for (int i = 1; i <= RING_ENTRIES; ++i)
        ASSERT_EQ(ring->takeInboundChunk().bytes().toByteArray(), numbered(i)) << i;
}

TEST(InboundRing, DiscardDropsWaitingChunksAndReportsThePartialDropOnce) {
    struct Case {
        const char *name;
        bool chunkAfterDiscard;
    };
    for (const Case &c : {Case{"new chunk waits", true}, Case{"nothing new yet", false}}) {
        SCOPED_TRACE(c.name);
        auto ring = std::make_unique<InboundRing>();
        fillChunk(*ring, "old-1");
        fillChunk(*ring, "old-2");
        fillChunk(*ring, "old-3");
        EXPECT_EQ(ring->takeInboundChunk().bytes().toByteArray(), "old-1");
        ring->discardAll();
        if (c.chunkAfterDiscard)
            fillChunk(*ring, "new-1");

        InboundChunk first = ring->takeInboundChunk();
        EXPECT_TRUE(first.dropPartial());
        EXPECT_EQ(first.bytes().toByteArray(), c.chunkAfterDiscard ? "new-1" : "");
        first.release();
        if (!c.chunkAfterDiscard) {
            fillChunk(*ring, "new-1");
            const InboundChunk next = ring->takeInboundChunk();
            EXPECT_FALSE(next.dropPartial());
            EXPECT_EQ(next.bytes().toByteArray(), "new-1");
        }
        EXPECT_EQ(ring->waitingChunks(), 0);
        const InboundChunk none = ring->takeInboundChunk();
        EXPECT_FALSE(none.dropPartial());
        EXPECT_TRUE(none.bytes().isEmpty());
    }
}

TEST(InboundRing, ChunkHeldAcrossADiscardStaysValid) {
    auto ring = std::make_unique<InboundRing>();
    fillChunk(*ring, "held");
    const InboundChunk held = ring->takeInboundChunk();
    EXPECT_FALSE(held.fromOldConnection());
    ring->discardAll();
    EXPECT_TRUE(held.fromOldConnection());
    fillChunk(*ring, "next");
    EXPECT_EQ(held.bytes().toByteArray(), "held");
    const InboundChunk next = ring->takeInboundChunk();
    EXPECT_TRUE(next.dropPartial());
    EXPECT_EQ(next.bytes().toByteArray(), "next");
}

TEST(PulseCounter, AnswersCountDownToNoLessThanMinusOne) {
    struct Case {
        int before;
        int answers;
        int after;
    };
    const Case cases[] = {{1, 1, 0}, {0, 1, -1}, {-1, 1, -1}, {3, 2, 1}, {2, 5, -1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << " - " << c.answers);
        to_srv_130 = c.before;
        countPulseAnswers(c.answers);
        EXPECT_EQ(to_srv_130, c.after);
    }
    to_srv_130 = 0;
}

TEST(QueueToSrv, QueuesIntoTheProcessOutboundRing) {
    const QByteArray message("\x00\x01\x00\x0a", 4);
    ASSERT_TRUE(queueToSrv(message.constData(), 4));
    EXPECT_EQ(outboundRing().waitingMessage().toByteArray(), message);
    outboundRing().freeMessage();
}

} // namespace
