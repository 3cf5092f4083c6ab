#include "handlerfixture.h"

#include "console/link/rackhandlers.h"
#include "console/link/rings.h"

namespace {

// A log record whose slot word tells the messages apart.
QByteArray record(int slot) {
    return logRecordMsg({1, 2, 2026, 3, 4, 5}, 1, "ABCD", {10, 0, 0, 1}, "FRAM", slot, "MODU");
}

// Code 161 padded to `words` words in all, word 0 included.
QByteArray namesOfLength(int words) {
    Words body{161, 0};
    body.resize(size_t(words - 1), 7);
    return srvMsg(body);
}

class FramingTest : public HandlerTest {
protected:
    // The link thread empties the ring for a new connection, receives `bytes` as its first
    // chunk and announces it; the chunk is taken.
    void receiveAfterReconnect(const QByteArray &bytes) {
        srv_rings_reset = 1;
        inboundRing().discardAll();
        char *chunk = inboundRing().reserveChunk();
        ASSERT_NE(chunk, nullptr);
        std::copy(bytes.begin(), bytes.end(), chunk);
        inboundRing().publishChunk(int(bytes.size()));
        processor.processInboundChunk(inboundRing().takeInboundChunk());
        processor.refreshViews();
    }

    std::vector<int> handledSlots() const {
        std::vector<int> handled;
        for (int i = 0; i < t.logRecIndex; ++i)
            handled.push_back(t.logRecords[i].slot);
        return handled;
    }
};

TEST_F(FramingTest, WholeMessageInOneChunkIsHandledAndNothingIsCarried) {
    feed(record(1));
    EXPECT_EQ(handledSlots(), std::vector<int>{1});
    EXPECT_EQ(t.rxCarry, 0);
    EXPECT_EQ(views.calls("addLogRow").size(), 1);
}

TEST_F(FramingTest, MessageSplitAnywhereIsHandledWhenItsLastByteArrives) {
    const QByteArray bytes = record(3);
    for (int cut = 1; cut < bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        t.logRecIndex = 0;
        feed(bytes.left(cut));
        EXPECT_EQ(t.logRecIndex, 0);
        EXPECT_EQ(t.rxCarry, cut);
        feed(bytes.mid(cut));
        EXPECT_EQ(handledSlots(), std::vector<int>{3});
        EXPECT_EQ(t.rxCarry, 0);
    }
}

TEST_F(FramingTest, HeaderSplitOneAndThreeBytes) {
    const QByteArray pulse = srvMsg({130});
    srv_pulse_answered = 1;
    srv_log_requested = -1;
    feed(pulse.left(1));
    EXPECT_EQ(srv_log_requested, -1);
    feed(pulse.mid(1));
    EXPECT_EQ(srv_log_requested, 1) << "the answer was handled";
}

TEST_F(FramingTest, EveryWholeMessageOfAChunkIsHandledInThatCall) {
    // A long message, a short one and the start of another long one: the short one must not
    // wait for the next chunk because it is shorter than the message before it.
    const QByteArray third = record(3);
    feed(record(1) + srvMsg({60, 1, 2}) + record(2) + third.left(20));
    EXPECT_EQ(handledSlots(), (std::vector<int>{1, 2}));
    EXPECT_EQ(t.rxCarry, 20);
    feed(third.mid(20));
    EXPECT_EQ(handledSlots(), (std::vector<int>{1, 2, 3}));
}

TEST_F(FramingTest, ShortMessageBeforeAPartialOneIsHandledOnce) {
    srv_pulse_answered = 1;
    srv_log_requested = -1;
    const QByteArray next = record(4);
    feed(srvMsg({130}) + next.left(10));
    EXPECT_EQ(takeSent().size(), 1u) << "the answer requested the log";
    srv_log_requested = -1;
    feed(next.mid(10));
    EXPECT_TRUE(takeSent().empty()) << "the answer is not handled again";
    EXPECT_EQ(handledSlots(), std::vector<int>{4});
}

TEST_F(FramingTest, UnknownCodeIsPassedOver) {
    feed(srvMsg({60, 1, 2, 3}) + record(5));
    EXPECT_EQ(handledSlots(), std::vector<int>{5});
}

TEST_F(FramingTest, LargestMessageIsHandledAcrossChunksAndFollowersToo) {
    const QByteArray largest = namesOfLength(MAX_SRV_MSG_WORDS);
    ASSERT_EQ(largest.size(), 49998);
    QByteArray followers;
    int count = 0;
    while (followers.size() < 40000)
        followers += record(count++);
    const QByteArray stream = largest + followers;
    // Chunks of at most a ring chunk's size, so carry and chunk together exceed the buffer.
    feed(stream.left(30000));
    feed(stream.mid(30000, RX_CHUNK_BYTES));
    feed(stream.mid(30000 + RX_CHUNK_BYTES));
    EXPECT_EQ(t.rackNameList[0], MAX_SRV_MSG_WORDS - 1);
    EXPECT_EQ(t.logRecIndex, count);
    EXPECT_EQ(t.rxCarry, 0);
    EXPECT_EQ(srv_reconnect, -1);
}

TEST_F(FramingTest, UnframeableStreamIsDroppedAndTheLinkRebuilt) {
    struct Case {
        const char *name;
        QByteArray bad;
    };
    const std::vector<Case> cases = {
        {"oversized", namesOfLength(MAX_SRV_MSG_WORDS + 1).left(100)},
        {"word 0 is 0", rawWords({0, 140})},
        {"word 0 is -1", rawWords({-1, 140})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        srv_reconnect = -1;
        t.logRecIndex = 0;
        processor.discardPartial();
        feed(record(1) + c.bad + record(2));
        EXPECT_EQ(handledSlots(), std::vector<int>{1}) << "nothing after the bad word 0";
        EXPECT_EQ(srv_reconnect, 1);
        EXPECT_EQ(t.rxCarry, 0);
        feed(record(3));
        EXPECT_EQ(t.logRecIndex, 1) << "the old connection's bytes wait for the reconnect";
        processor.discardPartial();
        feed(record(4));
        EXPECT_EQ(handledSlots(), (std::vector<int>{1, 4}));
    }
}

TEST_F(FramingTest, DiscardingThePartialMessageStartsFramingAfresh) {
    feed(record(1).left(40));
    processor.discardPartial();
    EXPECT_EQ(t.rxCarry, 0);
    feed(record(2));
    EXPECT_EQ(handledSlots(), std::vector<int>{2});
}

TEST_F(FramingTest, ChunkFromTheRingReportsAReconnect) {
    feed(record(1).left(40));
    receiveAfterReconnect(record(2));
    EXPECT_EQ(handledSlots(), std::vector<int>{2});
}

TEST_F(FramingTest, ChunkTakenBeforeAReconnectIsNotHandledAfterIt) {
    // The window thread holds the old connection's chunk when the link is rebuilt; its pulse
    // answer and log record must not count for the new connection.
    char *bytes = inboundRing().reserveChunk();
    ASSERT_NE(bytes, nullptr);
    const QByteArray old = srvMsg({130}) + record(1);
    std::copy(old.begin(), old.end(), bytes);
    inboundRing().publishChunk(int(old.size()));
    InboundChunk held = inboundRing().takeInboundChunk();
    EXPECT_FALSE(held.fromOldConnection());
    inboundRing().discardAll();
    srv_log_requested = -1; // as each connect sets them
    srv_pulse_answered = -1;
    EXPECT_TRUE(held.fromOldConnection());
    processor.processInboundChunk(held);
    held.release();
    EXPECT_TRUE(handledSlots().empty());
    EXPECT_TRUE(takeSent().empty());

    srv_pulse_answered = 1; // the link thread saw the new connection's answer
    receiveAfterReconnect(srvMsg({130}) + record(2));
    EXPECT_EQ(handledSlots(), std::vector<int>{2});
    EXPECT_EQ(takeSent().size(), 1u) << "the new connection's answer requests the log";
}

TEST_F(FramingTest, FirstChunkOfANewConnectionHidesTheOldRacksBeforeItsMessagesShowTheirs) {
    addRack({10, 0, 0, 1}, {0x11});
    addRack({10, 0, 0, 2}, {0x22});
    const int height = t.rackPanelHeight;

    receiveAfterReconnect(rackStructureMsg({10, 0, 0, 2}, {0x22}));
    EXPECT_EQ(t.rack[0].absent, 1);
    EXPECT_EQ(t.rack[1].absent, 0) << "shown again by the new connection's message";
    EXPECT_EQ(t.visibleRackCount, 1);
    EXPECT_EQ(t.rackPanelHeight, height - 2 * RACK_ROWS_HIDDEN_HEIGHT + RACK_ROWS_SHOWN_HEIGHT);
    EXPECT_EQ(srv_rings_reset, -1);
    EXPECT_EQ(views.calls("setRackRowsVisible"),
              (QStringList{"setRackRowsVisible(0,0)", "setRackRowsVisible(1,0)",
                           "setRackRowsVisible(1,1)"}));

    // The link notice that comes after the new connection's messages hides nothing.
    views.clear();
    hideRacksAfterRingsReset(t, views);
    EXPECT_EQ(t.rack[1].absent, 0);
    EXPECT_TRUE(views.calls().isEmpty());
}

TEST_F(FramingTest, LookupNamesTheRackOfTheMessage) {
    addRack({10, 0, 0, 1}, {0x11});
    addRack({10, 0, 0, 2}, {0x22});
    feed(registerValuesMsg({10, 0, 0, 1}, 0, {5}));
    EXPECT_EQ(t.currIp, "10.0.0.1");
    EXPECT_EQ(t.currnrack, 0);
    EXPECT_TRUE(t.currRackMatched);
    feed(registerValuesMsg({266, 0, 0, 2}, 0, {5})); // the low byte names 10.0.0.2
    EXPECT_EQ(t.currnrack, 1);
    feed(srvMsg({130}));
    EXPECT_EQ(t.currIp, "0.0.0.0") << "a short message has no address words";
    EXPECT_FALSE(t.currRackMatched);
}

} // namespace
