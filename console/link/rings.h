#pragma once

#include "console/link/srvmessage.h"

#include <QByteArrayView>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

// The two message rings between the link thread and the GUI thread, the link flags and the
// unanswered-pulse counter. Both rings are allocated once, on first use, on the heap.
//
// InboundRing (link thread -> GUI thread), one chunk per socket read:
//   producer (link thread only): reserveChunk(), publishChunk(), discardAll().
//   consumer (GUI thread only), at each TcpThread::sig_SrvMsgObrabot():
//
//       for every chunk waiting (or as many as one turn allows, continuing on a timer):
//       InboundChunk chunk = inboundRing().takeInboundChunk();
//       if (chunk.dropPartial())
//           ...forget the partial message carried over from earlier chunks...
//       ...append chunk.bytes() (possibly empty) and cut whole messages...
//       // the chunk's slot is freed when `chunk` is destroyed (or release() is called)
//
//   A reconnect (discardAll) moves the ring to a new generation: chunks of the old connection
//   that are still waiting are freed unseen by the next take, and the first take after the
//   change reports dropPartial() once. Announcements are coalesced: the link thread signals a
//   published chunk only when no signal is pending since the GUI thread's last takeNotice()
//   (announceChunk()), so a GUI thread that lags holds one queued signal, not one per chunk.
//   The GUI thread calls takeNotice() when a take finds nothing waiting, then takes once more
//   (a chunk published just before is not signalled). A take with nothing waiting returns
//   empty bytes. The link thread never writes
//   rxread; a chunk still held by the GUI thread is never overwritten (the link thread stops
//   reading until it is freed).
//
// OutboundRing (GUI thread -> link thread), one whole message per slot:
//   producer (GUI thread): queueToSrv(); consumer (link thread): waitingMessage(),
//   freeMessage(). A slot is published by its ready flag (release) and freed after sending.

constexpr int RING_ENTRIES = 1000;
constexpr int RX_CHUNK_BYTES = 50000;
static_assert(RING_ENTRIES > 1);
static_assert(RX_CHUNK_BYTES % 2 == 0, "a chunk holds whole 16-bit words");

class InboundRing;

// One taken chunk; frees its ring slot when destroyed. Move-only.
class InboundChunk {
public:
    InboundChunk() = default;
    InboundChunk(InboundChunk &&other) noexcept;
    InboundChunk &operator=(InboundChunk &&other) noexcept;
    InboundChunk(const InboundChunk &) = delete;
    InboundChunk &operator=(const InboundChunk &) = delete;
    ~InboundChunk();

    // The connection changed since the previous take: bytes buffered from earlier chunks
    // belong to the old connection and must be dropped before bytes() is appended.
    bool dropPartial() const { return m_dropPartial; }
    // The chunk's bytes; empty when no chunk of the current connection was waiting.
    QByteArrayView bytes() const { return m_bytes; }
    // The link was rebuilt since the chunk was taken: what is left of it belongs to a
    // connection that is gone.
    bool fromOldConnection() const;
    // Frees the slot now (the view becomes invalid).
    void release();

private:
    friend class InboundRing;
    InboundChunk(InboundRing *ring, int index, QByteArrayView bytes, bool dropPartial,
                 std::uint32_t generation);

    InboundRing *m_ring = nullptr;
    int m_index = -1;
    std::uint32_t m_generation = 0;
    QByteArrayView m_bytes;
    bool m_dropPartial = false;
};

class InboundRing {
public:
    InboundRing();

    // Link thread: the chunk at rxwrite to fill, or nullptr while the GUI thread has not
    // freed it (the ring is full).
    char *reserveChunk();
    // Link thread: publishes the reserved chunk with `length` valid bytes (1..RX_CHUNK_BYTES)
    // and advances rxwrite.
    void publishChunk(int length);
    // Link thread: everything waiting belongs to a connection that is gone.
    void discardAll();
    // Link thread, after publishChunk(): whether to signal the GUI thread; false while an
    // earlier signal has not been taken.
    bool announceChunk();

    // GUI thread, once a take found nothing waiting: chunks published from now on are
    // signalled again.
    void takeNotice();
    // GUI thread: the next chunk of the current connection (see the protocol above).
    InboundChunk takeInboundChunk();

    // Number of chunks filled and not yet freed.
    int waitingChunks() const;

private:
    friend class InboundChunk;
    void freeChunk(int index);

    std::unique_ptr<char[]> rxbuf;
    std::array<std::atomic<int>, RING_ENTRIES> rxlen{};
    std::array<std::uint32_t, RING_ENTRIES> rxgeneration{};
    std::atomic<int> rxwrite = 0;
    std::atomic<int> rxread = 0;
    std::atomic<std::uint32_t> generation = 0;
    std::uint32_t consumerGeneration = 0;
    std::atomic<bool> noticePending = false;
};

class OutboundRing {
public:
    OutboundRing();

    // GUI thread: copies one message into the slot at nwrite and publishes it. Returns false,
    // with a debug line, when that slot still waits to be sent (nothing is overwritten) or the
    // message does not fit a slot.
    bool queue(const char *bytes, int length);

    // Link thread: the bytes of the slot at nread, empty when it waits for nothing.
    QByteArrayView waitingMessage() const;
    // Link thread: clears the slot at nread, frees it and advances nread.
    void freeMessage();

private:
    std::unique_ptr<char[]> msgtosrv;
    std::array<int, RING_ENTRIES> lenmsgtosrv{};
    std::array<std::atomic<int>, RING_ENTRIES> readymsgtosrv{};
    std::atomic<int> nwrite = 0;
    std::atomic<int> nread = 0;
};

InboundRing &inboundRing();
OutboundRing &outboundRing();

// The producer call of every sender (GUI thread): queues one whole message for the server.
bool queueToSrv(const char *bytes, int length);

// Link flags: 1 set, -1 clear.
extern std::atomic<int> srv_reconnect;     // 1: the link must be (re)built
extern std::atomic<int> srv_link_shown;    // 1: link down was last announced; -1: link up
extern std::atomic<int> srv_rings_reset;   // 1: the inbound ring was emptied for a new link
extern std::atomic<int> srv_log_requested; // -1: the log request is due at the next answer
// 1: a pulse answer came on the current connection; -1 (set at each connect): none yet.
extern std::atomic<int> srv_pulse_answered;
// Pulses written and not yet answered.
extern std::atomic<int> to_srv_130;

// Pulse answers that came on the current connection count the pulses down, to no less than -1.
void countPulseAnswers(int answers);
