#include "console/link/rings.h"

#include <QDebug>

#include <algorithm>
#include <cstring>
#include <utility>

std::atomic<int> srv_reconnect = -1;
std::atomic<int> srv_link_shown = -1;
std::atomic<int> srv_rings_reset = -1;
std::atomic<int> srv_log_requested = -1;
std::atomic<int> srv_pulse_answered = -1;
std::atomic<int> to_srv_130 = 0;

namespace {

int nextIndex(int index) {
    return index + 1 == RING_ENTRIES ? 0 : index + 1;
}

} // namespace

void countPulseAnswers(int answers) {
    int pulses = to_srv_130.load();
    while (!to_srv_130.compare_exchange_weak(pulses, std::max(pulses - answers, -1))) {
    }
}

InboundChunk::InboundChunk(InboundRing *ring, int index, QByteArrayView bytes, bool dropPartial,
                           std::uint32_t generation)
    : m_ring(ring)
    , m_index(index)
    , m_generation(generation)
    , m_bytes(bytes)
    , m_dropPartial(dropPartial) {}

InboundChunk::InboundChunk(InboundChunk &&other) noexcept
    : m_ring(std::exchange(other.m_ring, nullptr))
    , m_index(std::exchange(other.m_index, -1))
    , m_generation(other.m_generation)
    , m_bytes(std::exchange(other.m_bytes, {}))
    , m_dropPartial(std::exchange(other.m_dropPartial, false)) {}

InboundChunk &InboundChunk::operator=(InboundChunk &&other) noexcept {
    if (this != &other) {
        release();
        m_ring = std::exchange(other.m_ring, nullptr);
        m_index = std::exchange(other.m_index, -1);
        m_generation = other.m_generation;
        m_bytes = std::exchange(other.m_bytes, {});
        m_dropPartial = std::exchange(other.m_dropPartial, false);
    }
    return *this;
}

InboundChunk::~InboundChunk() {
    release();
}

bool InboundChunk::fromOldConnection() const {
    return m_ring && m_ring->generation.load(std::memory_order_acquire) != m_generation;
}

void InboundChunk::release() {
    if (m_ring)
        m_ring->freeChunk(m_index);
    m_ring = nullptr;
    m_index = -1;
    m_bytes = {};
}

InboundRing::InboundRing()
    : rxbuf(new char[std::size_t(RING_ENTRIES) * RX_CHUNK_BYTES]) {}

char *InboundRing::reserveChunk() {
    const int index = rxwrite.load(std::memory_order_relaxed);
    if (rxlen[index].load(std::memory_order_acquire) != 0)
        return nullptr;
    return rxbuf.get() + std::size_t(index) * RX_CHUNK_BYTES;
}

void InboundRing::publishChunk(int length) {
    Q_ASSERT(length > 0 && length <= RX_CHUNK_BYTES);
    const int index = rxwrite.load(std::memory_order_relaxed);
    rxgeneration[index] = generation.load(std::memory_order_relaxed);
    // Sequentially consistent, as the notice flag is: a chunk published before a notice
    // that found a signal pending is seen by the take that follows takeNotice().
    rxlen[index].store(length, std::memory_order_seq_cst);
    rxwrite.store(nextIndex(index), std::memory_order_release);
}

bool InboundRing::announceChunk() {
    return !noticePending.exchange(true);
}

void InboundRing::takeNotice() {
    noticePending.store(false);
}

void InboundRing::discardAll() {
    generation.fetch_add(1, std::memory_order_release);
}

InboundChunk InboundRing::takeInboundChunk() {
    for (;;) {
        const int index = rxread.load(std::memory_order_relaxed);
        const int length = rxlen[index].load(std::memory_order_seq_cst);
        // Read after the chunk's length, so a chunk is never newer than this generation.
        const std::uint32_t current = generation.load(std::memory_order_acquire);
        if (length == 0) {
            const bool drop = current != consumerGeneration;
            consumerGeneration = current;
            return InboundChunk(nullptr, -1, {}, drop, current);
        }
        rxread.store(nextIndex(index), std::memory_order_release);
        if (rxgeneration[index] != current) {
            freeChunk(index);
            continue;
        }
        const bool drop = current != consumerGeneration;
        consumerGeneration = current;
        return InboundChunk(
            this, index, QByteArrayView(rxbuf.get() + std::size_t(index) * RX_CHUNK_BYTES, length),
            drop, current);
    }
}

int InboundRing::waitingChunks() const {
    int count = 0;
    for (const auto &length : rxlen)
        count += length.load(std::memory_order_acquire) != 0;
    return count;
}

void InboundRing::freeChunk(int index) {
    rxlen[index].store(0, std::memory_order_release);
}

OutboundRing::OutboundRing()
    : msgtosrv(new char[std::size_t(RING_ENTRIES) * NUM_MSG_TO_SRV_BYTES]()) {}

bool OutboundRing::queue(const char *bytes, int length) {
    if (length <= 0 || length > NUM_MSG_TO_SRV_BYTES) {
        qDebug() << "queueToSrv(): message of" << length << "bytes dropped";
        return false;
    }
    const int index = nwrite.load(std::memory_order_relaxed);
    if (readymsgtosrv[index].load(std::memory_order_acquire) == 1) {
        qDebug() << "queueToSrv(): outbound ring full, message dropped; slot" << index
                 << "still waits";
        return false;
    }
    char *slot = msgtosrv.get() + std::size_t(index) * NUM_MSG_TO_SRV_BYTES;
    std::memset(slot, 0, NUM_MSG_TO_SRV_BYTES);
    std::memcpy(slot, bytes, std::size_t(length));
    lenmsgtosrv[index] = length;
    readymsgtosrv[index].store(1, std::memory_order_release);
    nwrite.store(nextIndex(index), std::memory_order_relaxed);
    return true;
}

QByteArrayView OutboundRing::waitingMessage() const {
    const int index = nread.load(std::memory_order_relaxed);
    if (readymsgtosrv[index].load(std::memory_order_acquire) != 1)
        return {};
    return QByteArrayView(msgtosrv.get() + std::size_t(index) * NUM_MSG_TO_SRV_BYTES,
                          lenmsgtosrv[index]);
}

void OutboundRing::freeMessage() {
    const int index = nread.load(std::memory_order_relaxed);
    std::memset(msgtosrv.get() + std::size_t(index) * NUM_MSG_TO_SRV_BYTES, 0,
                NUM_MSG_TO_SRV_BYTES);
    lenmsgtosrv[index] = 0;
    readymsgtosrv[index].store(0, std::memory_order_release);
    nread.store(nextIndex(index), std::memory_order_relaxed);
}

InboundRing &inboundRing() {
    static const std::unique_ptr<InboundRing> ring = std::make_unique<InboundRing>();
    return *ring;
}

OutboundRing &outboundRing() {
    static const std::unique_ptr<OutboundRing> ring = std::make_unique<OutboundRing>();
    return *ring;
}

bool queueToSrv(const char *bytes, int length) {
    return outboundRing().queue(bytes, length);
}
