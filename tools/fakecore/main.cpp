#include "tools/fakecore/fakecore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

// fakecore: the simulated core server as a program, for the demo and for trying the console.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fakecore"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated core server on 127.0.0.1"));
    parser.addHelpOption();
    const QCommandLineOption port({"p", "port"}, "Port to listen on (0: any free port).", "port",
                                  "0");
    const QCommandLineOption tick("tick", "Milliseconds between network steps (0: none).", "ms",
                                  "1000");
    const QCommandLineOption noPulses("no-pulse-answers", "Never answer pulses.");
    const QCommandLineOption split("split", "Send everything in pieces of this many bytes.",
                                   "bytes", "0");
    const QCommandLineOption garbage("garbage-after", "Send garbage this many ms after each hello.",
                                     "ms");
    const QCommandLineOption oversized(
        "oversized-after", "Send an oversized message this many ms after each hello.", "ms");
    const QCommandLineOption close("close-after",
                                   "Close the connection this many ms after each hello.", "ms");
    const QCommandLineOption full("full-network",
                                  "Simulate a full network: 40 racks of 17 busy modules.");
    const QCommandLineOption flood(
        "flood",
        "After each hello, send without pause: log-addresses (log records with ever new "
        "addresses) or structures (rack structures mixed with log records).",
        "kind");
    parser.addOptions({port, tick, noPulses, split, garbage, oversized, close, full, flood});
    parser.process(app);

    FakeCore::Options options;
    options.tickIntervalMs = parser.value(tick).toInt();
    options.answerPulses = !parser.isSet(noPulses);
    options.splitPieceBytes = parser.value(split).toInt();
    if (parser.isSet(full))
        options.networkSize = FakeNetworkSize::Full;
    if (parser.isSet(flood)) {
        const QString kind = parser.value(flood);
        if (kind == QLatin1String("log-addresses")) {
            options.flood = FakeFlood::LogAddresses;
        } else if (kind == QLatin1String("structures")) {
            options.flood = FakeFlood::StructuresAndLog;
        } else {
            std::fprintf(stderr, "fakecore: unknown flood \"%s\"\n", qPrintable(kind));
            return 1;
        }
    }
    FakeCore core(options);
    if (!core.listen(quint16(parser.value(port).toUInt()))) {
        std::fprintf(stderr, "fakecore: cannot listen on 127.0.0.1:%s\n",
                     qPrintable(parser.value(port)));
        return 1;
    }

    const auto after = [&](const QCommandLineOption &option, auto action) {
        if (!parser.isSet(option))
            return;
        const int ms = parser.value(option).toInt();
        QObject::connect(&core, &FakeCore::helloReceived, &core, [&core, ms, action] {
            QTimer::singleShot(ms, &core, [&core, action] { (core.*action)(); });
        });
    };
    after(garbage, &FakeCore::sendGarbage);
    after(oversized, &FakeCore::sendOversized);
    after(close, &FakeCore::closeConnection);

    std::printf("fakecore listening on 127.0.0.1:%u\n", unsigned(core.port()));
    std::fflush(stdout);
    return app.exec();
}
