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
    parser.addOptions({port, tick, noPulses, split, garbage, oversized, close});
    parser.process(app);

    FakeCore::Options options;
    options.tickIntervalMs = parser.value(tick).toInt();
    options.answerPulses = !parser.isSet(noPulses);
    options.splitPieceBytes = parser.value(split).toInt();
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
