// The RTF documents of a text report written into their files while they are built.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace brindle {

class CByteSink;

// Takes the bytes of the two documents in chunks and writes them into their sinks on a thread of
// its own, so that building goes on while they are written and hashed. That thread first reads
// the present targets ahead (CByteSink::hashTargetAhead), which needs nothing of the documents,
// while the first pieces are built.
//
// Does not own the sinks, which must outlive it, and never commits them: the caller commits them
// once the run has succeeded, or discards them. A sink whose write fails keeps its error and gets
// no more chunks. One thread calls add() and finish(); the destructor drops the chunks not yet
// written and waits for the thread. Without a thread, add() and finish() write at once.
class CStreamedDocuments {
public:
    enum ESide : int { kLeft = 0, kRight = 1 };

    // Either sink may be nullptr: that document is not streamed.
    CStreamedDocuments(CByteSink* left, CByteSink* right);
    ~CStreamedDocuments();
    CStreamedDocuments(const CStreamedDocuments&) = delete;
    CStreamedDocuments& operator=(const CStreamedDocuments&) = delete;

    bool streams(ESide side) const { return m_sinks[side] != nullptr; }
    // Queues the next bytes of a streamed document; waits while a few chunks are still waiting.
    void add(ESide side, std::string chunk);
    // The buffer of a chunk already written, emptied but keeping its memory, or an empty string:
    // building the next chunk in it spares the system zeroing fresh pages for every chunk.
    std::string recycled();
    // Waits until every chunk is written and each sink flushed to disk (CByteSink::sync).
    void finish();
    // After finish(): whether every write of that document and its flush succeeded.
    bool written(ESide side) const { return m_ok[side]; }

private:
    void run();
    void hashTargetsAhead();
    void writeChunk(ESide side, const std::string& chunk);
    void syncAll();

    CByteSink* m_sinks[2];
    bool m_ok[2] = {true, true};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::pair<ESide, std::string>> m_queue;  // guarded by m_mutex
    std::vector<std::string> m_spare;                   // guarded by m_mutex
    bool m_finishing = false;                           // guarded by m_mutex
    bool m_stopping = false;                            // guarded by m_mutex
    bool m_done = false;                                // guarded by m_mutex
    std::thread m_thread;
};

}  // namespace brindle
