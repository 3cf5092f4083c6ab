#pragma once

#include "console/link/moduleiconfiles.h"

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
    // message and hides the old connection's racks; then handles every message the chunk
    // completes, up to a reconnect that happens meanwhile (the rest belongs to the old
    // connection). The rack panel and the network tree wait for refreshViews, so that a caller
    // taking several chunks in one turn sizes and rebuilds them once.
    void processInboundChunk(const InboundChunk &chunk);
    // Resizes the rack panel and rebuilds the network tree once if the messages handled since
    // the last refresh changed them; module icon files are looked up afresh after it.
    void refreshViews();
    // One chunk of the stream; every message that it completes is handled before it returns,
    // then the views are refreshed.
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
    ModuleIconFiles iconFiles;
    bool waitingForReconnect = false;
    const InboundChunk *chunkInHand = nullptr; // the ring's chunk being processed
};
