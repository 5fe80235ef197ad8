// One running copy per user: a second start hands its command line to the first and ends.
#pragma once

#include <QString>

namespace brindle {

class CMainFrame;

class CSingleInstance {
public:
    // Looks for a running copy of the program; when there is one, brings it forward, hands it
    // rawCommandLine (when not empty), waits until it was processed and returns true.
    static bool handOver(const QString& rawCommandLine);
    // Starts accepting hand-overs; each command line received goes to frame's command-line
    // processing, as if it were the program's own.
    static void listen(CMainFrame& frame);
};

}  // namespace brindle
