// The running copy's end of the single-instance hand-over: a local server that reads command
// lines from second copies and hands them to a receiver one at a time.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <deque>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace brindle {

class CHandOverReceiver;

// Never blocks: requests are read as their bytes arrive. A client that sends anything but a valid
// request, closes early, or takes longer than the read timeout to send its request is dropped
// without an answer. Requests are processed in arrival order and never inside one another: one
// that arrives while another is processed (its comparison lets events through) waits in a queue.
class CInstanceServer : public QObject {
    Q_OBJECT
public:
    explicit CInstanceServer(std::unique_ptr<CHandOverReceiver> receiver, QObject* parent = nullptr);
    ~CInstanceServer() override;

    // Listens on name. A socket file left behind by a copy that no longer runs is removed first;
    // false when a live server already holds the name or the socket cannot be made.
    bool listen(const QString& name);
    QString fullServerName() const;

    // How long a client may take from connecting to the end of its request (default 5 s).
    void setReadTimeout(std::chrono::milliseconds timeout) { m_readTimeout = timeout; }

private:
    struct SRequest {
        QPointer<QLocalSocket> socket;
        QString commandLine;
    };

    void onNewConnection();
    void onReadyRead(QLocalSocket* socket);
    void processQueue();
    void process(const SRequest& request);

    std::unique_ptr<CHandOverReceiver> m_receiver;
    QLocalServer* m_server;  // child
    std::deque<SRequest> m_queue;
    bool m_processing = false;
    std::chrono::milliseconds m_readTimeout{5000};
};

}  // namespace brindle
