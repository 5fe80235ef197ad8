// One running copy per user and screen session: a second start hands its command line to the
// first and ends.
#pragma once

#include <QString>

namespace brindle {

class CMainFrame;

// What the running copy does with a command line handed over by a second copy.
class CHandOverReceiver {
public:
    virtual ~CHandOverReceiver() = default;
    // Shows the window, un-minimized, in front of the others.
    virtual void bringToFront() = 0;
    // Runs the text as the program's own command line; never called with an empty text.
    virtual void processCommandLine(const QString& commandLine) = 0;
};

// The running copy is found through a local socket, not through window captions. The socket lives
// in the user's private runtime folder (privateRuntimeFolder) and is named after the screen
// session, so that a copy hands over only to a copy whose windows appear on the same screen: a
// copy started on another display starts normally. Only a copy started with "One Instance" on
// listens; when two copies run, the first keeps the name and the second does not listen. The
// bytes exchanged are described in hand_over_protocol.h.
class CSingleInstance {
public:
    // The socket's file name for a screen session: "brindle-wl-<WAYLAND_DISPLAY>" when that is
    // set, else "brindle-x11-<DISPLAY>", else "brindle-nodisplay". Every byte (UTF-8) of the value
    // but ASCII letters, digits, ".", "-" and "_" is written as "%" and two hex digits, so that
    // the value cannot leave the folder and two values give two names. When that text is longer
    // than kLongestSessionText, "~" and a 64-bit hash of the value stand in for it, so that the
    // path fits a socket address.
    static QString socketName(const QString& waylandDisplay, const QString& display);
    static constexpr qsizetype kLongestSessionText = 40;
    // The socket path of this process's session in the private runtime folder; empty when that
    // folder is refused (then no copy listens and none hands over).
    static QString serverName();

    // Looks for a running copy; when one answers within a short time, hands it rawCommandLine
    // (an empty text only brings it forward), waits until it has processed the text, including
    // any comparison that it starts, and returns true. False when no copy answers, so that the
    // program starts normally. Once the running copy has confirmed receipt the wait has no time
    // limit, like a synchronous window message; it ends early, still with true, when that copy
    // closes the connection without confirming the end (it went away while processing).
    static bool handOver(const QString& rawCommandLine);
    static bool handOver(const QString& rawCommandLine, const QString& serverName);

    // Starts accepting hand-overs for frame: each one brings the frame to the front and runs the
    // command line through frame's command-line processing, as if it were the program's own. The
    // listener lives as long as the frame. Does nothing when another live copy holds the name or
    // there is no private runtime folder. Called only when "One Instance" is on.
    static void listen(CMainFrame& frame);
};

}  // namespace brindle
