#include "platform/udplistener.h"

#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

UdpListener::UdpListener(quint16 port, QObject *parent)
    : QObject(parent)
    , m_port(port) {}

UdpListener::~UdpListener() {
    close();
}

bool UdpListener::SetActive(bool active) {
    if (active == Active())
        return true;
    if (!active) {
        close();
        return true;
    }
    // No address reuse: a port that another socket holds is refused.
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdpListener::readBatch);
    return true;
}

quint16 UdpListener::LocalPort() const {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (m_fd < 0 || ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &size) != 0)
        return 0;
    return ntohs(address.sin_port);
}

void UdpListener::close() {
    if (m_fd < 0)
        return;
    // Closing frees the port at once; the notifier goes later, as this may run inside its own
    // signal.
    m_notifier->setEnabled(false);
    m_notifier->deleteLater();
    m_notifier = nullptr;
    ::close(m_fd);
    m_fd = -1;
}

void UdpListener::readBatch() {
    // One byte more than the buffer tells a datagram that does not fit.
    QByteArray buffer(kBufferSize + 1, Qt::Uninitialized);
    // The handler may switch the listener off. What is left waits for the next turn.
    for (int read = 0; read < kDatagramsPerTurn && m_fd >= 0; ++read) {
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t size = ::recvfrom(m_fd, buffer.data(), buffer.size(), MSG_TRUNC,
                                        reinterpret_cast<sockaddr *>(&from), &fromSize);
        if (size < 0) {
            if (errno == EINTR)
                continue;
            // Empty (EAGAIN), or an error reported for the socket: the notifier tells when
            // more comes.
            return;
        }
        if (size > kBufferSize || !OnUDPRead)
            continue;
        OnUDPRead(QByteArray(buffer.constData(), size), QHostAddress(ntohl(from.sin_addr.s_addr)));
    }
}
