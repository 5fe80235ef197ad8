#include "app/instance_server.h"

#include "app/hand_over_protocol.h"
#include "app/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QMetaObject>
#include <QTimer>

namespace brindle {

namespace {

// Connecting to a live server succeeds at once (the kernel queues the connection even while that
// copy is busy); a socket file without a server refuses at once.
constexpr int kProbeTimeoutMs = 1000;

void drop(QLocalSocket* socket)
{
    socket->abort();
    socket->deleteLater();
}

}  // namespace

CInstanceServer::CInstanceServer(std::unique_ptr<CHandOverReceiver> receiver, QObject* parent)
    : QObject(parent), m_receiver(std::move(receiver)), m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, &CInstanceServer::onNewConnection);
}

CInstanceServer::~CInstanceServer()
{
    // The sockets go first, while the receiver and the queue still exist.
    delete m_server;
}

bool CInstanceServer::listen(const QString& name)
{
    if (m_server->listen(name))
        return true;
    if (m_server->serverError() != QAbstractSocket::AddressInUseError)
        return false;
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(kProbeTimeoutMs))
        return false;
    // Left behind by a copy that ended without closing its server.
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

QString CInstanceServer::fullServerName() const { return m_server->fullServerName(); }

void CInstanceServer::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        // Room for one whole request and a byte more, which is how excess is recognised; a client
        // that keeps writing after its request cannot make the buffer grow further.
        socket->setReadBufferSize(kHandOverHeaderSize + kMaxHandOverBytes + 1);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        auto* deadline = new QTimer(socket);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, socket, [socket] { drop(socket); });
        deadline->start(m_readTimeout);
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void CInstanceServer::onReadyRead(QLocalSocket* socket)
{
    // The request stays in the socket's buffer until it is whole: partial reads cost no copies.
    const qsizetype size = handOverRequestSize(socket->peek(kHandOverHeaderSize));
    if (size < 0) {
        drop(socket);
        return;
    }
    if (size == 0 || socket->bytesAvailable() < size)
        return;
    const SHandOverParse request = parseHandOver(socket->readAll());
    if (request.status != SHandOverParse::Status::Complete) {
        drop(socket);
        return;
    }
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    if (auto* deadline = socket->findChild<QTimer*>())
        deadline->stop();
    socket->write(&kHandOverReceived, 1);
    socket->flush();
    m_queue.push_back({socket, request.commandLine});
    // Processing starts from the event loop, not from inside the socket's signal.
    QMetaObject::invokeMethod(
        this, [this] { processQueue(); }, Qt::QueuedConnection);
}

void CInstanceServer::processQueue()
{
    // A comparison lets events through, so a second request can arrive while one is processed;
    // it waits for the outer call to come back here.
    if (m_processing)
        return;
    m_processing = true;
    const QPointer<CInstanceServer> self(this);
    while (!m_queue.empty()) {
        const SRequest request = std::move(m_queue.front());
        m_queue.pop_front();
        // A client that gave up waiting for its receipt has started a copy of its own.
        if (!request.socket || request.socket->state() != QLocalSocket::ConnectedState)
            continue;
        process(request);
        if (!self)
            return;
    }
    m_processing = false;
}

void CInstanceServer::process(const SRequest& request)
{
    m_receiver->bringToFront();
    if (!request.commandLine.isEmpty())
        m_receiver->processCommandLine(request.commandLine);
    if (QLocalSocket* socket = request.socket) {
        socket->write(&kHandOverDone, 1);
        socket->disconnectFromServer();
    }
}

}  // namespace brindle
