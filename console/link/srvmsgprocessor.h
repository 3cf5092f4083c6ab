#pragma once

#include <QByteArrayView>
#include <QString>

class ConsoleTables;
class ConsoleViews;
class InboundChunk;

// Turns the server's byte stream into the console's tables: appends each received chunk
// behind the unfinished remainder, cuts every whole message off the front, finds the rack it
// names and dispatches it by its code to the handlers. A stream that can no longer be framed
// (word 0 below 1, or a message longer than the console takes) is dropped and the link is
// rebuilt; everything up to the reconnect is ignored.
class SrvMsgProcessor {
public:
    // iconRoot: the folder that holds "ICONS_NEW" (the current directory at start).
    SrvMsgProcessor(ConsoleTables &tables, ConsoleViews &views, QString iconRoot);

    // One chunk taken off the inbound ring: when the connection changed, drops the partial
    // message and hides the old connection's racks; then processes the chunk's bytes.
    void processInboundChunk(const InboundChunk &chunk);
    // One chunk of the stream; every message that it completes is handled before it returns,
    // and the network tree is rebuilt once if they changed what it shows.
    void processChunk(QByteArrayView bytes);
    // The connection changed: forgets the partial message and starts framing afresh.
    void discardPartial();

private:
    void cutMessages(QByteArrayView bytes);
    void handleMessage();
    void findRack();
    void dispatch();
    void dropStream();

    ConsoleTables &t;
    ConsoleViews &views;
    QString iconRoot;
    bool waitingForReconnect = false;
};
