// The single-instance hand-over: the bytes on the socket, and real processes handing command lines
// to a listener (tests/app/instance_peer), including clients that misbehave.
#include "app/hand_over_protocol.h"
#include "app/main_frame.h"
#include "app/single_instance.h"
#include "frame_test_support.h"
#include "platform/settings_names.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QThread>
#include <QtEndian>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace brindle {
namespace {

using Status = SHandOverParse::Status;

QByteArray header(quint32 length)
{
    char bytes[4];
    qToBigEndian(length, bytes);
    return QByteArray("BRD1") + QByteArray(bytes, 4);
}

// Two quoted paths of 1,000 characters, one of them not ASCII: no length limit of a path applies.
const QString kLongPaths = QStringLiteral("\"/") + QString(999, u'a') + QStringLiteral("\" \"/") +
                           QString(999, QChar(0x00e9)) + QStringLiteral("\"");

struct SParseCase {
    const char* name;
    QByteArray received;
    Status status;
    QString commandLine;
};

class HandOverParseTest : public testing::TestWithParam<SParseCase> {};

TEST_P(HandOverParseTest, ReadsOnlyWholeWellFormedRequests)
{
    const SHandOverParse parsed = parseHandOver(GetParam().received);
    EXPECT_EQ(parsed.status, GetParam().status);
    EXPECT_EQ(parsed.commandLine.toStdString(), GetParam().commandLine.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Requests, HandOverParseTest,
    testing::Values(SParseCase{"TwoQuotedNames", encodeHandOver("\"a b.txt\" \"c.txt\""), Status::Complete,
                               "\"a b.txt\" \"c.txt\""},
                    SParseCase{"EmptyText", header(0), Status::Complete, ""},
                    SParseCase{"NonAscii", encodeHandOver(QString::fromUtf8("\xc3\xbc\xe2\x82\xac \xf0\x9f\x98\x80")),
                               Status::Complete, QString::fromUtf8("\xc3\xbc\xe2\x82\xac \xf0\x9f\x98\x80")},
                    SParseCase{"LeadingByteOrderMarkIsText",
                               header(4) + "\xef\xbb\xbf"
                                           "a",
                               Status::Complete, QChar(0xfeff) + QStringLiteral("a")},
                    SParseCase{"TextEndsAtNul", header(3) + QByteArray("a\0b", 3), Status::Complete, "a"},
                    SParseCase{"PathsOf1000Characters", encodeHandOver(kLongPaths), Status::Complete, kLongPaths},
                    SParseCase{"NothingYet", "", Status::Incomplete, ""},
                    SParseCase{"PartOfMagic", "BR", Status::Incomplete, ""},
                    SParseCase{"HeaderOnly", header(5), Status::Incomplete, ""},
                    SParseCase{"TextCutShort", header(5) + "abcd", Status::Incomplete, ""},
                    SParseCase{"WrongFirstByte", "X", Status::Invalid, ""},
                    SParseCase{"WrongMagic", "GET / HTTP/1.0\r\n\r\n", Status::Invalid, ""},
                    SParseCase{"LengthAboveLimit", header(kMaxHandOverBytes + 1), Status::Invalid, ""},
                    SParseCase{"LargestLength", header(0xffffffffu), Status::Invalid, ""},
                    SParseCase{"BytesBeyondTheText", header(1) + "ab", Status::Invalid, ""},
                    SParseCase{"NotUtf8", header(2) + "\xc3\x28", Status::Invalid, ""},
                    SParseCase{"Utf16Surrogate", header(3) + "\xed\xa0\x80", Status::Invalid, ""}),
    test::SCaseName());

TEST(HandOverProtocol, EveryPrefixOfARequestIsIncomplete)
{
    const QByteArray request = encodeHandOver(QString::fromUtf8("\"x \xe2\x82\xac.txt\" y"));
    for (qsizetype size = 0; size < request.size(); ++size)
        EXPECT_EQ(parseHandOver(request.first(size)).status, Status::Incomplete) << size;
    EXPECT_EQ(handOverRequestSize(request.first(kHandOverHeaderSize)), request.size());
}

TEST(HandOverProtocol, TextAboveTheLimitIsNotEncoded)
{
    EXPECT_EQ(encodeHandOver(QString(kMaxHandOverBytes, u'a')).size(), kHandOverHeaderSize + kMaxHandOverBytes);
    EXPECT_TRUE(encodeHandOver(QString(kMaxHandOverBytes + 1, u'a')).isEmpty());
    // Three UTF-8 bytes each: the limit is on bytes, not characters.
    EXPECT_TRUE(encodeHandOver(QString(kMaxHandOverBytes / 2, QChar(0x20ac))).isEmpty());
}

// A listener in a process of its own.
class CPeer {
public:
    CPeer(const QString& server, const QString& log, int processMs = 0, int readTimeoutMs = -1,
          const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
    {
        QStringList arguments{server, log, QString::number(processMs)};
        if (readTimeoutMs >= 0)
            arguments << QString::number(readTimeoutMs);
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(BRINDLE_INSTANCE_PEER_PATH), arguments);
        while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {
        }
        m_status = m_process.readLine().trimmed().toStdString();
    }
    ~CPeer()
    {
        if (m_process.state() != QProcess::NotRunning)
            stop();
    }
    CPeer(const CPeer&) = delete;
    CPeer& operator=(const CPeer&) = delete;

    // "listening", or "taken" when another live listener holds the name.
    const std::string& status() const { return m_status; }
    bool running() const { return m_process.state() == QProcess::Running; }
    // Ends the peer as a user would end the program; its exit code (-1 when it had to be killed).
    int stop()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(30000)) {
            kill();
            return -1;
        }
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    // Ends it the hard way: the socket file stays behind.
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(30000);
    }

private:
    QProcess m_process;
    std::string m_status;
};

// The peer's log with the hex of each command line decoded.
std::vector<std::string> readLog(const QString& path)
{
    QFile file(path);
    std::vector<std::string> lines;
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        const qsizetype blank = line.indexOf(' ');
        lines.push_back(blank < 0 ? line.toStdString()
                                  : (line.left(blank + 1) + QByteArray::fromHex(line.mid(blank + 1))).toStdString());
    }
    return lines;
}

class SingleInstanceProcessTest : public testing::Test {
protected:
    QString server() const { return QString::fromStdString(m_dir.file("s")); }
    QString log() const { return QString::fromStdString(m_dir.file("log")); }

    test::CTempDir m_dir;
};

TEST_F(SingleInstanceProcessTest, HandsOverTheTextAndReturnsOnlyAfterItWasProcessed)
{
    constexpr int kProcessMs = 400;
    CPeer peer(server(), log(), kProcessMs);
    ASSERT_EQ(peer.status(), "listening");

    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(CSingleInstance::handOver(QStringLiteral("\"a b.txt\" \"c.txt\""), server()));
    EXPECT_GE(clock.elapsed(), kProcessMs);
    // Read at once: the answer came after the end of processing was logged.
    EXPECT_EQ(readLog(log()),
              (std::vector<std::string>{"front", "begin \"a b.txt\" \"c.txt\"", "end \"a b.txt\" \"c.txt\""}));

    EXPECT_TRUE(CSingleInstance::handOver(QString(), server()));
    EXPECT_EQ(readLog(log()).size(), 4u);
    EXPECT_EQ(readLog(log()).back(), "front");
    EXPECT_EQ(peer.stop(), 0);
    EXPECT_FALSE(QFileInfo::exists(server()));
}

TEST_F(SingleInstanceProcessTest, PathsOf1000CharactersArriveWhole)
{
    CPeer peer(server(), log());
    ASSERT_EQ(peer.status(), "listening");
    EXPECT_TRUE(CSingleInstance::handOver(kLongPaths, server()));
    const std::string text = kLongPaths.toStdString();
    EXPECT_EQ(readLog(log()), (std::vector<std::string>{"front", "begin " + text, "end " + text}));
}

TEST_F(SingleInstanceProcessTest, NoListenerMeansStartNormally)
{
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(CSingleInstance::handOver(QStringLiteral("a b"), server()));
    EXPECT_FALSE(CSingleInstance::handOver(QString(), server()));
    EXPECT_LT(clock.elapsed(), 2000);
}

// The warnings (qWarning) issued while it lives.
class CWarningRecorder {
public:
    CWarningRecorder() : m_previous(qInstallMessageHandler(&record)) { recorded().clear(); }
    ~CWarningRecorder() { qInstallMessageHandler(m_previous); }
    const QStringList& warnings() const { return recorded(); }

private:
    static QStringList& recorded()
    {
        static QStringList list;
        return list;
    }
    static void record(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type == QtWarningMsg)
            recorded() << text;
    }
    QtMessageHandler m_previous;
};

// A copy that holds the name but never confirms receipt (hung, or busy for good): the hand-over
// fails after the receipt time and says why, as this copy then opens a window of its own. No
// copy at all is the normal start and says nothing.
TEST_F(SingleInstanceProcessTest, FailedHandOverSaysWhyWhereNoCopyIsSilent)
{
    const struct {
        const char* name;
        bool listening;
        QStringList warnings;
    } cases[] = {
        {"no copy runs", false, {}},
        {"the copy never confirms",
         true,
         {QStringLiteral("Brindle could not hand the command line to its running copy (QLocalSocket: Socket "
                         "operation timed out), so it opens a window of its own.")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QLocalServer hung;
        if (c.listening) {
            ASSERT_TRUE(hung.listen(server()));
        }
        CWarningRecorder recorder;
        EXPECT_FALSE(CSingleInstance::handOver(QStringLiteral("a b"), server()));
        EXPECT_EQ(recorder.warnings(), c.warnings);
    }
}

TEST_F(SingleInstanceProcessTest, SocketLeftByAKilledListenerBlocksNothing)
{
    {
        CPeer crashed(server(), log());
        ASSERT_EQ(crashed.status(), "listening");
        crashed.kill();
    }
    ASSERT_TRUE(QFileInfo::exists(server()));
    EXPECT_FALSE(CSingleInstance::handOver(QStringLiteral("x y"), server()));

    CPeer next(server(), log());
    ASSERT_EQ(next.status(), "listening");
    EXPECT_TRUE(CSingleInstance::handOver(QStringLiteral("x y"), server()));
    EXPECT_EQ(readLog(log()), (std::vector<std::string>{"front", "begin x y", "end x y"}));
}

TEST_F(SingleInstanceProcessTest, SecondListenerLeavesTheNameToTheLiveOne)
{
    CPeer first(server(), log());
    ASSERT_EQ(first.status(), "listening");
    CPeer second(server(), QString::fromStdString(m_dir.file("log2")));
    EXPECT_EQ(second.status(), "taken");
    EXPECT_EQ(second.stop(), 3);

    EXPECT_TRUE(CSingleInstance::handOver(QStringLiteral("x"), server()));
    EXPECT_EQ(readLog(log()).size(), 3u);
}

TEST_F(SingleInstanceProcessTest, RequestsArrivingDuringProcessingWaitTheirTurn)
{
    CPeer peer(server(), log(), 300);
    ASSERT_EQ(peer.status(), "listening");
    std::atomic<int> handed{0};
    std::thread a([&] { handed += CSingleInstance::handOver(QStringLiteral("A"), server()) ? 1 : 0; });
    QThread::msleep(100);
    std::thread b([&] { handed += CSingleInstance::handOver(QStringLiteral("B"), server()) ? 1 : 0; });
    a.join();
    b.join();
    EXPECT_EQ(handed, 2);
    EXPECT_EQ(readLog(log()), (std::vector<std::string>{"front", "begin A", "end A", "front", "begin B", "end B"}));
}

// Sends bytes over a raw connection, flushing after every chunk.
void sendChunks(QLocalSocket& socket, const std::vector<QByteArray>& chunks, int pauseMs)
{
    for (const QByteArray& chunk : chunks) {
        socket.write(chunk);
        while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(5000)) {
        }
        QThread::msleep(static_cast<unsigned long>(pauseMs));
    }
}

TEST_F(SingleInstanceProcessTest, RequestArrivingByteByByteIsReadWhole)
{
    CPeer peer(server(), log());
    ASSERT_EQ(peer.status(), "listening");
    const QByteArray request = encodeHandOver(QStringLiteral("\"p q\" r"));
    std::vector<QByteArray> bytes;
    for (char byte : request)
        bytes.emplace_back(1, byte);

    QLocalSocket socket;
    socket.connectToServer(server());
    ASSERT_TRUE(socket.waitForConnected(5000));
    sendChunks(socket, bytes, 10);
    QByteArray replies;
    while (replies.size() < 2 && socket.waitForReadyRead(10000))
        replies += socket.readAll();
    EXPECT_EQ(replies.toStdString(), "RD");
    EXPECT_EQ(readLog(log()), (std::vector<std::string>{"front", "begin \"p q\" r", "end \"p q\" r"}));
}

struct SJunkCase {
    const char* name;
    std::vector<QByteArray> chunks;
    bool clientCloses;  // else the listener must close the connection, without a receipt
};

TEST_F(SingleInstanceProcessTest, JunkIsDroppedAndTheListenerCarriesOn)
{
    const std::vector<SJunkCase> cases{
        {"ClosesRightAfterTheRequest", {encodeHandOver("gone")}, true},
        {"WrongMagic", {"GET / HTTP/1.0\r\n\r\n"}, false},
        {"LengthAboveLimit", {header(kMaxHandOverBytes + 1)}, false},
        {"NotUtf8", {header(2) + "\xc3\x28"}, false},
        {"BytesBeyondTheRequest", {encodeHandOver("x") + "y"}, false},
        {"StallsAfterTheHeader", {header(10), "abc"}, false},
        {"ConnectsAndSaysNothing", {}, false},
        {"ClosesAfterPartOfTheHeader", {"BR"}, true},
        {"ClosesAfterPartOfTheText", {header(10) + "abc"}, true},
    };
    CPeer peer(server(), log(), 0, 300);
    ASSERT_EQ(peer.status(), "listening");
    for (const SJunkCase& c : cases) {
        SCOPED_TRACE(c.name);
        QLocalSocket socket;
        socket.connectToServer(server());
        ASSERT_TRUE(socket.waitForConnected(5000));
        sendChunks(socket, c.chunks, 50);
        if (c.clientCloses) {
            socket.abort();
            continue;
        }
        EXPECT_TRUE(socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(10000));
        EXPECT_EQ(socket.readAll().toStdString(), "");
    }
    ASSERT_TRUE(peer.running());
    EXPECT_TRUE(CSingleInstance::handOver(QStringLiteral("ok"), server()));
    // Nothing but the good request was processed, and perhaps the one whose client went away
    // right after sending it, depending on whether the listener noticed in time.
    const std::vector<std::string> lines = readLog(log());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"front", "begin ok", "end ok"}));
    for (const std::string& line : lines)
        EXPECT_TRUE(line == "front" || line.ends_with(" ok") || line.ends_with(" gone")) << line;
    EXPECT_EQ(peer.stop(), 0);
}

// The main frame as the receiver: a hand-over un-minimizes it. The client runs on a thread of its
// own, since its wait would otherwise block the frame's events.
TEST(SingleInstance, HandOverBringsTheMinimizedFrameForward)
{
    test::CTempDir runtime;
    test::CScopedEnv environment("XDG_RUNTIME_DIR", runtime.path().c_str());
    test::CScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    test::CScopedEnv display("DISPLAY", ":7");
    const QString name = CSingleInstance::serverName();
    EXPECT_EQ(name.toStdString(), runtime.file("brindle-x11-%3A7"));

    CMainFrame frame;
    frame.showMinimized();
    ASSERT_TRUE(frame.isMinimized());
    CSingleInstance::listen(frame);
    ASSERT_TRUE(QFileInfo::exists(name));

    std::atomic<int> handed{-1};
    std::thread client([&] { handed = CSingleInstance::handOver(QString()) ? 1 : 0; });
    QElapsedTimer clock;
    clock.start();
    while (handed < 0 && clock.elapsed() < 30000) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    client.join();
    EXPECT_EQ(handed, 1);
    EXPECT_FALSE(frame.isMinimized());
    EXPECT_TRUE(frame.isVisible());
}

struct SSocketNameCase {
    const char* name;
    QString waylandDisplay;
    QString display;
    QString socketName;
};

class SocketNameTest : public testing::TestWithParam<SSocketNameCase> {};

TEST_P(SocketNameTest, FollowsTheScreenSession)
{
    EXPECT_EQ(CSingleInstance::socketName(GetParam().waylandDisplay, GetParam().display).toStdString(),
              GetParam().socketName.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, SocketNameTest,
    testing::Values(SSocketNameCase{"XDisplay0", "", ":0", "brindle-x11-%3A0"},
                    SSocketNameCase{"XDisplay1", "", ":1", "brindle-x11-%3A1"},
                    SSocketNameCase{"XDisplayOverSsh", "", "localhost:10.0", "brindle-x11-localhost%3A10.0"},
                    SSocketNameCase{"Wayland", "wayland-0", "", "brindle-wl-wayland-0"},
                    SSocketNameCase{"WaylandBeforeXWayland", "wayland-1", ":0", "brindle-wl-wayland-1"},
                    SSocketNameCase{"WaylandByFullPath", "/run/user/1000/wayland-0", "",
                                    "brindle-wl-%2Frun%2Fuser%2F1000%2Fwayland-0"},
                    SSocketNameCase{"NoDisplay", "", "", "brindle-nodisplay"},
                    SSocketNameCase{"SeparatorsAndBlanksCannotLeaveTheFolder", "", ":0/../x y",
                                    "brindle-x11-%3A0%2F..%2Fx%20y"},
                    SSocketNameCase{"EscapeCharacterIsEscaped", "", "%3A0", "brindle-x11-%253A0"},
                    SSocketNameCase{"NonAscii", "w\u00e9", "", "brindle-wl-w%C3%A9"},
                    SSocketNameCase{"LongestTextKept", QString(40, u'w'), "", "brindle-wl-" + QString(40, u'w')},
                    SSocketNameCase{"LongerTextHashed", QString(41, u'w'), "", "brindle-wl-~8b32c23f7fd416ee"}),
    test::SCaseName());

// Runtime folder and screen session of this process for as long as it lives.
class CSessionEnvironment {
public:
    CSessionEnvironment(const test::CTempDir& runtime, const char* display, const char* waylandDisplay = nullptr)
        : m_runtime("XDG_RUNTIME_DIR", runtime.path().c_str()), m_display("DISPLAY", display),
          m_wayland("WAYLAND_DISPLAY", waylandDisplay)
    {
    }

private:
    test::CScopedEnv m_runtime;
    test::CScopedEnv m_display;
    test::CScopedEnv m_wayland;
};

// A copy hands over only to a copy of its own screen session; started on another display it
// starts normally. Regression: a brd64 started on a second display handed its files to the
// window on the first one and ended.
TEST_F(SingleInstanceProcessTest, HandsOverOnlyWithinTheSameScreenSession)
{
    test::CTempDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.path().string()));
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":0"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    CPeer peer(QStringLiteral("-"), log(), 0, -1, environment);
    ASSERT_EQ(peer.status(), "listening");

    struct SCase {
        const char* name;
        const char* display;
        const char* waylandDisplay;
        bool handedOver;
    };
    const SCase cases[] = {
        {"another X display", ":1", nullptr, false},
        {"a Wayland session", ":0", "wayland-0", false},
        {"no display", nullptr, nullptr, false},
        {"the same display", ":0", nullptr, true},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CSessionEnvironment session(runtime, c.display, c.waylandDisplay);
        EXPECT_EQ(CSingleInstance::handOver(QString::fromLatin1(c.name)), c.handedOver);
    }
    EXPECT_EQ(readLog(log()), (std::vector<std::string>{"front", "begin the same display", "end the same display"}));
}

// Only a copy started with "One Instance" on listens: with it off, a second copy started with the
// option on does not hand over to the first.
TEST(SingleInstance, OnlyACopyWithOneInstanceOnListens)
{
    for (const int oneInstance : {0, 1}) {
        SCOPED_TRACE(oneInstance);
        test::CTempDir runtime;
        const CSessionEnvironment session(runtime, ":0");
        test::SAppOnMemorySettings app;
        app.profile().writeInt(kOptionsSection, kOneInstanceValue, oneInstance);
        ASSERT_TRUE(app.app.initInstance(QString()));

        const QString name = CSingleInstance::serverName();
        EXPECT_EQ(QFileInfo::exists(name), oneInstance != 0);
        EXPECT_EQ(std::filesystem::is_empty(runtime.path()), oneInstance == 0);
        QLocalSocket second;
        second.connectToServer(name);
        EXPECT_EQ(second.waitForConnected(1000), oneInstance != 0);
    }
}

}  // namespace
}  // namespace brindle
