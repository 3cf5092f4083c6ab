#include "tools/fakecore/fakecore.h"

#include "tools/fakecore/wellformed.h"

#include "console/link/srvmessage.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <functional>
#include <algorithm>
#include <map>
#include <set>

namespace {

using Words = std::vector<int16_t>;

// Runs the event loop until the condition holds or a generous deadline passes.
bool waitUntil(const std::function<bool()> &condition, int ms = 5000) {
    QDeadlineTimer deadline(ms);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    return condition();
}

// A console stand-in: a socket on 127.0.0.1 that frames what it receives by word 0.
class TestConsole {
public:
    explicit TestConsole(quint16 port) {
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { bytes += socket.readAll(); });
    }
    bool connected() {
        return waitUntil([this] { return socket.state() == QAbstractSocket::ConnectedState; });
    }
    void send(const QByteArray &message) { socket.write(message); }

    // Whole messages received so far, as words.
    std::vector<Words> messages() const {
        std::vector<Words> out;
        qsizetype p = 0;
        while (p + 2 <= bytes.size()) {
            const int n = int16_t((uchar(bytes[p]) << 8) | uchar(bytes[p + 1]));
            const qsizetype size = 2 * qsizetype(n + 1);
            if (n < 1 || p + size > bytes.size())
                break;
            Words words(std::size_t(n + 1));
            ConvertByteToShortBuffer(bytes.constData() + p, int(size), words.data(), n + 1);
            out.push_back(words);
            p += size;
        }
        return out;
    }
    int count(int code) const {
        int n = 0;
        for (const Words &m : messages())
            n += m[1] == code;
        return n;
    }

    QTcpSocket socket;
    QByteArray bytes;
};

FakeCore::Options manualTicks() {
    FakeCore::Options o;
    o.tickIntervalMs = 0;
    return o;
}

class FakeCoreTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(core.listen()); }

    // Connects, says hello and a pulse, and waits for the whole network and the pulse answer.
    void connectAndGreet(TestConsole &console) {
        ASSERT_TRUE(console.connected());
        console.send(buildHello());
        console.send(buildPulse());
        ASSERT_TRUE(waitUntil([&] { return console.count(130) == 1; }));
    }

    FakeCore core{manualTicks()};
};

TEST_F(FakeCoreTest, GreetedConsoleGetsThePulseAnswerAndAWellFormedNetwork) {
    TestConsole console(core.port());
    connectAndGreet(console);
    EXPECT_TRUE(core.helloSeen());
    EXPECT_EQ(core.pulseCount(), 1);

    std::map<int, int> counts;
    for (const Words &m : console.messages()) {
        SCOPED_TRACE(m[1]);
        EXPECT_TRUE(decodesAsConsole(m));
        ++counts[m[1]];
    }
    const int modules = core.network().moduleCount();
    EXPECT_GE(modules, 10);
    const int racks = int(core.network().racks().size());
    EXPECT_EQ(counts, (std::map<int, int>{{20, racks},
                                          {30, modules},
                                          {40, modules},
                                          {80, racks},
                                          {100, 4},
                                          {110, 1},
                                          {120, 1},
                                          {130, 1},
                                          {161, 1}}));

    // The rack-name list comes before any rack structure; the alarm-init files before the
    // descriptions that use them.
    const auto messages = console.messages();
    const auto firstOf = [&](int code) {
        return std::find_if(messages.begin(), messages.end(),
                            [code](const Words &m) { return m[1] == code; });
    };
    EXPECT_LT(firstOf(161), firstOf(20));
    EXPECT_LT(firstOf(100), firstOf(40));

    const auto names = decodeRackNames(*firstOf(161));
    ASSERT_TRUE(names);
    EXPECT_EQ(names->front().name, QString::fromUtf8("Север-1"));

    const auto description = decodeBlockDescription(*firstOf(40));
    ASSERT_TRUE(description);
    const BlockDescriptionText text = splitBlockDescription(description->text);
    EXPECT_EQ(text.name, QStringLiteral("PSU"));
    EXPECT_EQ(text.description, QString::fromUtf8("Блок питания"));
    EXPECT_FALSE(text.controlTable.isEmpty());

    const auto structure = decodeRackStructure(*firstOf(20));
    ASSERT_TRUE(structure);
    const auto init = decodeAlarmInitFiles(*firstOf(100));
    ASSERT_TRUE(init && init->fileName);
    EXPECT_EQ(init->fileName->section(u'_', 0, 0).toUInt(nullptr, 16), structure->moduleIds[0]);
    EXPECT_TRUE(init->file.content.endsWith(";;"));
}

TEST_F(FakeCoreTest, TicksSendValuesAlarmsAndLogRecords) {
    TestConsole console(core.port());
    connectAndGreet(console);
    const int modules = core.network().moduleCount();
    const int valuesBefore = console.count(30);
    for (int i = 0; i < 5; ++i)
        core.tick();
    ASSERT_TRUE(waitUntil([&] { return console.count(90) == 1 && console.count(140) == 1; }));
    EXPECT_EQ(console.count(30), valuesBefore + 5 * modules);
    for (int i = 0; i < 5; ++i)
        core.tick();
    ASSERT_TRUE(waitUntil([&] { return console.count(91) == 1; }));

    for (const Words &m : console.messages()) {
        if (m[1] == 140) {
            const auto record = decodeLogRecord(m);
            ASSERT_TRUE(record);
            EXPECT_TRUE(record->eventType == 1 || record->eventType == 2);
        }
    }
}

TEST_F(FakeCoreTest, AnswersLogRequestsAndRegisterWrites) {
    TestConsole console(core.port());
    connectAndGreet(console);
    const QDateTime now = QDateTime::currentDateTime();
    console.send(buildLogRequest(now.addMonths(-1), now.addSecs(60)));
    ASSERT_TRUE(waitUntil([&] { return console.count(140) >= 3; }));

    const int valuesBefore = console.count(30);
    const FakeRack &rack = core.network().racks().front();
    // Register 3 of the first module is a settable number.
    console.send(buildSetRegister(rack.address, rack.modules.front().slot, 3, 2222));
    ASSERT_TRUE(waitUntil([&] { return console.count(30) == valuesBefore + 1; }));
    const Words answer = console.messages().back();
    const auto values = decodeRegisterValues(answer);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->values[3], 2222);

    // A selection without the last rack is echoed; asking again for it brings its messages.
    const auto &all = core.network().racks();
    std::vector<WireAddress> two{all[0].address, all[1].address};
    console.send(*buildRackSelection(two));
    ASSERT_TRUE(waitUntil([&] { return console.count(120) == 2; }));
    const int structures = console.count(20);
    two.push_back(all[2].address);
    console.send(*buildRackSelection(two));
    ASSERT_TRUE(waitUntil([&] { return console.count(20) == structures + 1; }));
    EXPECT_EQ(core.receivedMessages().size(), 6);
}

TEST_F(FakeCoreTest, SilentOnPulsesWhenToldSo) {
    core.setAnswerPulses(false);
    TestConsole console(core.port());
    ASSERT_TRUE(console.connected());
    console.send(buildHello());
    console.send(buildPulse());
    // The log answer follows the pulse on the same stream, so once it is in no answer can come.
    const QDateTime now = QDateTime::currentDateTime();
    console.send(buildLogRequest(now.addMonths(-1), now.addSecs(60)));
    ASSERT_TRUE(waitUntil([&] { return console.count(140) >= 3; }));
    EXPECT_EQ(console.count(130), 0);
    EXPECT_EQ(core.pulseCount(), 1);
}

TEST_F(FakeCoreTest, SplitPiecesCarryTheSameBytes) {
    TestConsole whole(core.port());
    connectAndGreet(whole);
    const QByteArray expected = whole.bytes;
    whole.socket.abort();
    ASSERT_TRUE(waitUntil([&] { return !core.isConsoleConnected(); }));

    core.setSplitPieceBytes(251);
    TestConsole split(core.port());
    connectAndGreet(split);
    EXPECT_EQ(split.bytes, expected);
}

TEST_F(FakeCoreTest, GarbageOversizedAndClose) {
    TestConsole console(core.port());
    connectAndGreet(console);
    const qsizetype before = console.bytes.size();
    core.sendGarbage();
    core.sendOversized();
    ASSERT_TRUE(waitUntil(
        [&] { return console.bytes.size() >= before + 16 + 2 * (MAX_SRV_MSG_WORDS + 1); }));
    EXPECT_EQ(console.bytes.mid(before, 2), QByteArray("\0\0", 2));

    core.closeConnection();
    EXPECT_TRUE(
        waitUntil([&] { return console.socket.state() == QAbstractSocket::UnconnectedState; }));
}

TEST_F(FakeCoreTest, ClosesOnAConsoleThatDoesNotSayHello) {
    QString reason;
    QObject::connect(&core, &FakeCore::protocolError, [&](const QString &r) { reason = r; });
    TestConsole console(core.port());
    ASSERT_TRUE(console.connected());
    console.send(buildPulse());
    EXPECT_TRUE(
        waitUntil([&] { return console.socket.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(console.count(130), 0);
}

std::vector<Words> wordsOfAll(const QList<QByteArray> &messages) {
    std::vector<Words> out;
    for (const QByteArray &m : messages) {
        Words words(std::size_t(m.size() / 2));
        ConvertByteToShortBuffer(m.constData(), int(m.size()), words.data(), int(words.size()));
        out.push_back(words);
    }
    return out;
}

std::map<int, int> codeCounts(const std::vector<Words> &messages) {
    std::map<int, int> counts;
    for (const Words &m : messages) {
        EXPECT_TRUE(decodesAsConsole(m)) << "code " << m[1];
        ++counts[m[1]];
    }
    return counts;
}

TEST(FakeFullNetwork, FillsEveryRackAndSlotWithLongDescriptionsAndKeepsThemBusy) {
    FakeNetwork network(QDateTime(QDate(2026, 12, 10), QTime(12, 0)), FakeNetworkSize::Full);
    ASSERT_EQ(network.racks().size(), 40u);
    EXPECT_EQ(network.moduleCount(), 40 * 17);

    const std::vector<Words> snapshot = wordsOfAll(network.snapshot());
    const std::map<int, int> counts = codeCounts(snapshot);
    EXPECT_EQ(counts.at(20), 40);
    EXPECT_EQ(counts.at(30), 40 * 17);
    EXPECT_EQ(counts.at(40), 40 * 17);
    EXPECT_EQ(counts.at(80), 40);
    for (const Words &m : snapshot) {
        if (m[1] != 40)
            continue;
        const auto description = decodeBlockDescription(m);
        ASSERT_TRUE(description);
        EXPECT_GE(splitBlockDescription(description->text).controlTable.size(), 40);
    }

    // Every step: values for every slot, and alarms raised or cleared with their log records;
    // what one step raises, the next clears.
    const auto count = [](const std::map<int, int> &counts, int code) {
        const auto found = counts.find(code);
        return found == counts.end() ? 0 : found->second;
    };
    for (int step = 0; step < 4; ++step) {
        SCOPED_TRACE(step);
        const std::map<int, int> busy = codeCounts(wordsOfAll(network.advance()));
        EXPECT_EQ(count(busy, 30), 40 * 17);
        const int changed = count(busy, step % 2 == 0 ? 90 : 91);
        EXPECT_GE(changed, 2);
        EXPECT_EQ(count(busy, 90) + count(busy, 91), changed);
        EXPECT_EQ(count(busy, 140), changed);
    }
}

// The operator's Ignore holds: the alarm is not raised again while it is ignored; one that
// was raised still clears, and Normal lets it come back.
TEST(FakeSmallNetwork, AnIgnoredAlarmIsNeverRaised) {
    FakeNetwork network(QDateTime(QDate(2026, 12, 10), QTime(12, 0)));
    const FakeRack &rack = network.racks().front();
    AlarmWireRecord setting = rack.modules.front().alarms.front();
    const auto raisedAndCleared = [&network](int steps) {
        std::pair<int, int> events;
        for (int i = 0; i < steps; ++i) {
            const std::map<int, int> counts = codeCounts(wordsOfAll(network.advance()));
            events.first += counts.count(90) ? counts.at(90) : 0;
            events.second += counts.count(91) ? counts.at(91) : 0;
        }
        return events;
    };
    EXPECT_EQ(raisedAndCleared(5), std::make_pair(1, 0)); // raised by the fifth step

    setting.alarmSet = 0;
    ASSERT_EQ(network.setAlarm(setting).size(), 1);
    EXPECT_EQ(raisedAndCleared(30), std::make_pair(0, 1));

    setting.alarmSet = 1;
    ASSERT_EQ(network.setAlarm(setting).size(), 1);
    EXPECT_EQ(raisedAndCleared(10), std::make_pair(1, 1));
}

TEST(FakeFullNetwork, FloodsCarryWhatTheyPromise) {
    FakeNetwork network(QDateTime(QDate(2026, 12, 10), QTime(12, 0)), FakeNetworkSize::Full);
    const std::vector<Words> logs = wordsOfAll(network.flood(FakeFlood::LogAddresses, 600));
    ASSERT_EQ(logs.size(), 600u);
    std::set<std::vector<int>> addresses;
    int outOfRange = 0;
    for (const Words &m : logs) {
        const auto record = decodeLogRecord(m);
        ASSERT_TRUE(record);
        const std::vector<int> address(record->address.begin(), record->address.end());
        addresses.insert(address);
        outOfRange += std::any_of(address.begin(), address.end(),
                                  [](int octet) { return octet < 0 || octet > 255; });
    }
    EXPECT_EQ(addresses.size(), 600u) << "every record brings a new address";
    EXPECT_GT(outOfRange, 0);
    EXPECT_LT(outOfRange, 600);

    EXPECT_EQ(codeCounts(wordsOfAll(network.flood(FakeFlood::StructuresAndLog, 100))),
              (std::map<int, int>{{20, 50}, {140, 50}}));
    EXPECT_TRUE(network.flood(FakeFlood::None, 100).isEmpty());
}

TEST_F(FakeCoreTest, AFloodGoesOutUntilItIsStopped) {
    TestConsole console(core.port());
    connectAndGreet(console);
    core.setFlood(FakeFlood::LogAddresses);
    ASSERT_TRUE(waitUntil([&] { return console.count(140) >= 500; }));
    core.setFlood(FakeFlood::None);
    const long long sent = core.floodSent();
    EXPECT_GE(sent, 500);
    ASSERT_TRUE(waitUntil([&] { return console.count(140) >= sent; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(core.floodSent(), sent);
}

TEST(FakeCoreProgram, PrintsItsPortAndServes) {
    QProcess program;
    program.start(QStringLiteral(FAKECORE_PROGRAM),
                  {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--tick"),
                   QStringLiteral("0")});
    ASSERT_TRUE(program.waitForStarted());
    ASSERT_TRUE(waitUntil([&] { return program.canReadLine(); }));
    const QString line = QString::fromUtf8(program.readLine()).trimmed();
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^fakecore listening on 127\\.0\\.0\\.1:(\\d+)$"))
            .match(line);
    ASSERT_TRUE(match.hasMatch()) << line.toStdString();

    TestConsole console(quint16(match.captured(1).toUInt()));
    ASSERT_TRUE(console.connected());
    console.send(buildHello());
    console.send(buildPulse());
    EXPECT_TRUE(waitUntil([&] { return console.count(130) == 1; }));
    program.kill();
    program.waitForFinished();
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
