#include "app/single_instance.h"

#include "app/hand_over_protocol.h"
#include "app/instance_server.h"
#include "app/main_frame.h"

#include <QLocalSocket>
#include <QStandardPaths>

#include <memory>
#include <optional>
#include <unistd.h>

namespace brindle {

namespace {

// How long a second copy waits for a running copy to accept the connection and to confirm
// receipt; a copy that does not answer in time counts as not running.
constexpr int kConnectTimeoutMs = 1000;
constexpr int kReceiptTimeoutMs = 3000;

class CFrameReceiver final : public CHandOverReceiver {
public:
    explicit CFrameReceiver(CMainFrame& frame) : m_frame(frame) {}

    void bringToFront() override
    {
        if (m_frame.isMinimized())
            m_frame.setWindowState(m_frame.windowState() & ~Qt::WindowMinimized);
        m_frame.show();
        m_frame.raise();
        m_frame.activateWindow();
    }
    void processCommandLine(const QString& commandLine) override { m_frame.processCommandLine(commandLine); }

private:
    CMainFrame& m_frame;
};

// The next reply byte; nothing when none came in time (timeoutMs -1: no limit) or the running copy
// closed the connection.
std::optional<char> readReply(QLocalSocket& socket, int timeoutMs)
{
    if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(timeoutMs))
        return std::nullopt;
    char reply = 0;
    if (!socket.getChar(&reply))
        return std::nullopt;
    return reply;
}

}  // namespace

QString CSingleInstance::serverName()
{
    const QString name = QStringLiteral("brindle-%1").arg(::getuid());
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // Without a runtime folder QLocalServer puts a bare name in the temporary folder.
    return folder.isEmpty() ? name : folder + u'/' + name;
}

bool CSingleInstance::handOver(const QString& rawCommandLine) { return handOver(rawCommandLine, serverName()); }

bool CSingleInstance::handOver(const QString& rawCommandLine, const QString& serverName)
{
    const QByteArray request = encodeHandOver(rawCommandLine);
    if (request.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(request);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kReceiptTimeoutMs))
            return false;
    }
    if (readReply(socket, kReceiptTimeoutMs) != kHandOverReceived)
        return false;
    // The running copy owns the command line now; its 'D' or its closing the connection ends the
    // wait.
    readReply(socket, -1);
    return true;
}

void CSingleInstance::listen(CMainFrame& frame)
{
    auto* server = new CInstanceServer(std::make_unique<CFrameReceiver>(frame), &frame);
    if (!server->listen(serverName()))
        delete server;
}

}  // namespace brindle
