// Test stand-in for a running copy of brd64: listens for single-instance hand-overs and logs them.
//
// brindle_instance_peer SERVER LOG [PROCESS_MS [READ_TIMEOUT_MS]]
//   SERVER           socket path to listen on; "-" for the one brd64 derives from its environment
//                    (CSingleInstance::serverName)
//   LOG              file to which each hand-over appends lines, closed before the answer goes out:
//                      "front"            the window was brought forward
//                      "begin <hex>"      processing of a command line (UTF-8, hex) started
//                      "end <hex>"        ... and ended, PROCESS_MS later (default 0)
//   READ_TIMEOUT_MS  how long a client may take to send its request (default: the server's)
// Prints "listening" or "taken" (another live server holds SERVER; exit status 3) on standard
// output. Processing lets events through, as a comparison does. Ends when standard input closes.
#include "app/instance_server.h"
#include "app/single_instance.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

class CLoggingReceiver final : public brindle::CHandOverReceiver {
public:
    CLoggingReceiver(QString logPath, int processMs) : m_logPath(std::move(logPath)), m_processMs(processMs) {}

    void bringToFront() override { log("front"); }
    void processCommandLine(const QString& commandLine) override
    {
        const QByteArray hex = commandLine.toUtf8().toHex();
        log("begin " + hex);
        QEventLoop loop;
        QTimer::singleShot(m_processMs, &loop, &QEventLoop::quit);
        loop.exec();
        log("end " + hex);
    }

private:
    void log(const QByteArray& line) const
    {
        QFile file(m_logPath);
        if (!file.open(QIODevice::Append) || file.write(line + '\n') < 0)
            std::abort();
    }

    QString m_logPath;
    int m_processMs;
};

}  // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 3)
        return 2;
    const int processMs = arguments.size() > 3 ? arguments[3].toInt() : 0;
    brindle::CInstanceServer server(std::make_unique<CLoggingReceiver>(arguments[2], processMs));
    if (arguments.size() > 4)
        server.setReadTimeout(std::chrono::milliseconds(arguments[4].toInt()));
    const QString name = arguments[1] == QLatin1String("-") ? brindle::CSingleInstance::serverName() : arguments[1];
    if (name.isEmpty() || !server.listen(name)) {
        std::puts("taken");
        return 3;
    }
    std::puts("listening");
    std::fflush(stdout);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &application, [&input] {
        char buffer[256];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
            input.setEnabled(false);
            QApplication::quit();
        }
    });
    return QApplication::exec();
}
