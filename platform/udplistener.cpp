#include "platform/udplistener.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

UdpListener::UdpListener(quint16 port, QObject *parent)
    : QObject(parent)
    , m_port(port) {}

UdpListener::~UdpListener() = default;

bool UdpListener::SetActive(bool active) {
    if (active == Active())
        return true;
    if (!active) {
        // Closing frees the port at once; the object goes later, as this may run inside its
        // own read signal.
        m_socket->close();
        m_socket->deleteLater();
        m_socket = nullptr;
        return true;
    }
    auto *socket = new QUdpSocket(this);
    if (!socket->bind(QHostAddress::AnyIPv4, m_port, QAbstractSocket::DontShareAddress)) {
        delete socket;
        return false;
    }
    connect(socket, &QUdpSocket::readyRead, this, &UdpListener::readPending);
    m_socket = socket;
    return true;
}

quint16 UdpListener::LocalPort() const {
    return m_socket ? m_socket->localPort() : 0;
}

void UdpListener::readPending() {
    if (!m_resumePosted)
        readBatch();
}

void UdpListener::readBatch() {
    // The handler may switch the listener off.
    for (int read = 0; m_socket && m_socket->hasPendingDatagrams(); ++read) {
        if (read == kDatagramsPerTurn) {
            m_resumePosted = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_resumePosted = false;
                    readBatch();
                },
                Qt::QueuedConnection);
            return;
        }
        if (m_socket->pendingDatagramSize() > kBufferSize) {
            m_socket->readDatagram(nullptr, 0);
            continue;
        }
        const QNetworkDatagram datagram = m_socket->receiveDatagram(kBufferSize);
        if (!datagram.isValid())
            break;
        if (OnUDPRead)
            OnUDPRead(datagram.data(), datagram.senderAddress());
    }
}
