// The process-wide cancel flag that every long loop of the engine polls.
#pragma once

namespace brindle {

// Set to true by the progress dialog when the user cancels; cleared by the compare driver at
// the start of every comparison.
void setCancelRequested(bool cancel);
bool cancelRequested();

// Lets the user interface process its pending messages (and so deliver a click on Cancel)
// from inside long engine loops. nullptr (the default) means no user interface. The pump is
// responsible for rate-limiting itself: it may be called every few lines. It runs only on the
// thread that set it; other threads just test the flag.
using MessagePump = void (*)();
void setMessagePump(MessagePump pump);

// Runs the message pump (on every 64th call of a thread), then tests the flag. Called at every
// step of a long loop.
bool pollCancel();

}  // namespace brindle
