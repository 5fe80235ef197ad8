// brd64 --benchmark-open: how long opening a comparison takes, and whether moving through it
// stays instant.
#pragma once

class QElapsedTimer;

namespace brindle {

class CBRDApp;

// Run after the application opened the comparison on its command line: lets the window paint,
// prints the time since clock started ("opened in"), then the time per section selection and per
// page scrolled, each with both report panes repainted. Returns the exit status.
int reportOpenBenchmark(CBRDApp& app, const QElapsedTimer& clock);

}  // namespace brindle
