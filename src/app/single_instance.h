// One running copy per user: a second start hands its command line to the first and ends.
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

// The running copy is found through a local socket named per user in the user's runtime folder
// (XDG_RUNTIME_DIR), not through window captions. The running copy listens whatever "One
// Instance" says: only a second copy reads that option, and it can be switched on while a copy
// runs. When two copies run (the option was off), the first keeps the name and the second does
// not listen. The bytes exchanged are described in hand_over_protocol.h.
class CSingleInstance {
public:
    // The socket path: "<runtime folder>/brindle-<user id>".
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
    // listener lives as long as the frame. Does nothing when another live copy holds the name.
    static void listen(CMainFrame& frame);
};

}  // namespace brindle
