#include "app/single_instance.h"

#include "app/hand_over_protocol.h"
#include "app/instance_server.h"
#include "app/main_frame.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "platform/runtime_folder.h"

#include <QLocalSocket>

#include <cstdint>
#include <memory>
#include <optional>

namespace brindle {

namespace {

// How long a second copy waits for a running copy to accept the connection and to confirm
// receipt; a copy that does not answer in time counts as not running.
constexpr int kConnectTimeoutMs = 1000;
constexpr int kReceiptTimeoutMs = 3000;

constexpr int kStrHandOverFailed = 3228;  // "Brindle could not hand the command line to its running copy (%1), ..."

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

// A running copy was found but did not take the command line: this copy then starts on its own,
// and says why on stderr.
bool handOverFailed(const QLocalSocket& socket)
{
    qWarning("%s", qPrintable(loadString(kStrHandOverFailed).arg(socket.errorString())));
    return false;
}

// No copy listens, or the socket was left behind by one that ended: the normal start, not a
// failure.
bool noCopyRuns(const QLocalSocket& socket)
{
    return socket.error() == QLocalSocket::ServerNotFoundError ||
           socket.error() == QLocalSocket::ConnectionRefusedError;
}

bool keptInSocketName(unsigned char unit)
{
    return (unit >= 'a' && unit <= 'z') || (unit >= 'A' && unit <= 'Z') || (unit >= '0' && unit <= '9') ||
           unit == '.' || unit == '-' || unit == '_';
}

// The escaped session value, or "~" and its hash when that is too long for a socket address.
QString sessionText(const QString& value)
{
    const QByteArray bytes = value.toUtf8();
    QString text;
    for (const char byte : bytes) {
        const auto unit = static_cast<unsigned char>(byte);
        if (keptInSocketName(unit))
            text += QChar(unit);
        else
            text += u'%' + QString::number(unit, 16).rightJustified(2, u'0').toUpper();
    }
    if (text.size() <= CSingleInstance::kLongestSessionText)
        return text;
    // FNV-1a: the same in every copy and every build, unlike std::hash or qHash's seed.
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char byte : bytes)
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ULL;
    return u'~' + QStringLiteral("%1").arg(hash, 16, 16, QChar(u'0'));
}

}  // namespace

QString CSingleInstance::socketName(const QString& waylandDisplay, const QString& display)
{
    if (!waylandDisplay.isEmpty())
        return QStringLiteral("brindle-wl-") + sessionText(waylandDisplay);
    if (!display.isEmpty())
        return QStringLiteral("brindle-x11-") + sessionText(display);
    return QStringLiteral("brindle-nodisplay");
}

QString CSingleInstance::serverName()
{
    const SRuntimeFolder folder = privateRuntimeFolder();
    const QString path = toQString(folder.path);
    if (folder.error) {
        qWarning("brd64: %s: %s; copies of the program do not hand over to each other", qPrintable(path),
                 folder.error.message().c_str());
        return {};
    }
    return path + u'/' + socketName(qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("DISPLAY"));
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
        return noCopyRuns(socket) ? false : handOverFailed(socket);
    socket.write(request);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kReceiptTimeoutMs))
            return handOverFailed(socket);
    }
    if (readReply(socket, kReceiptTimeoutMs) != kHandOverReceived)
        return handOverFailed(socket);
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
