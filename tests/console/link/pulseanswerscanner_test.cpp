#include "console/link/pulseanswerscanner.h"

#include "srvwords.h"

#include <gtest/gtest.h>

namespace {

// Feeds the stream in pieces cut at the given offsets; the answers counted in all.
int scanInPieces(PulseAnswerScanner &scanner, const QByteArray &stream,
                 const std::vector<int> &cuts) {
    int answers = 0;
    int from = 0;
    for (const int cut : cuts) {
        answers += scanner.scan(QByteArrayView(stream).sliced(from, cut - from));
        from = cut;
    }
    return answers + scanner.scan(QByteArrayView(stream).sliced(from));
}

} // namespace

TEST(PulseAnswerScannerTest, CountsWholeAnswersWhereverTheStreamIsCut) {
    // Pulse answers between other messages, one of whose words read like an answer.
    const QByteArray stream = srvMsg({130}) + srvMsg({60, 1, 130, 1, 130}) + srvMsg({130}) +
                              srvMsg({20, 10, 0, 0, 1, 0}) + srvMsg({130, 7});
    for (int cut = 0; cut <= stream.size(); ++cut) {
        for (int second = cut; second <= stream.size(); second += 3) {
            SCOPED_TRACE(testing::Message() << "cut at " << cut << " and " << second);
            PulseAnswerScanner scanner;
            EXPECT_EQ(scanInPieces(scanner, stream, {cut, second}), 3);
        }
    }
    PulseAnswerScanner scanner;
    EXPECT_EQ(scanner.scan(stream.left(stream.size() - 1)), 2) << "the last answer is not whole";
    EXPECT_EQ(scanner.scan(stream.right(1)), 1);
}

TEST(PulseAnswerScannerTest, StreamThatCannotBeFramedIsFollowedNoFurtherUntilARestart) {
    struct Case {
        const char *name;
        QByteArray head;
    };
    const Case cases[] = {
        {"word 0 is 0", rawWords({0, 130})},
        {"word 0 is negative", rawWords({-1, 130})},
        {"longer than the console takes", rawWords({MAX_SRV_MSG_WORDS, 130})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PulseAnswerScanner scanner;
        EXPECT_EQ(scanner.scan(srvMsg({130}) + c.head + srvMsg({130})), 1);
        EXPECT_EQ(scanner.scan(srvMsg({130})), 0);
        scanner.restart();
        EXPECT_EQ(scanner.scan(srvMsg({130}) + srvMsg({130})), 2);
    }
    PulseAnswerScanner longest;
    std::vector<int> words(MAX_SRV_MSG_WORDS - 1, 0);
    words[0] = 60;
    EXPECT_EQ(longest.scan(srvMsg(words) + srvMsg({130})), 1) << "the longest message is framed";
}

TEST(PulseAnswerScannerTest, RestartForgetsAMessageCutByTheReconnect) {
    PulseAnswerScanner scanner;
    const QByteArray message = srvMsg({60, 1, 2, 3});
    EXPECT_EQ(scanner.scan(message.left(5)), 0);
    scanner.restart();
    EXPECT_EQ(scanner.scan(srvMsg({130})), 1);
}
