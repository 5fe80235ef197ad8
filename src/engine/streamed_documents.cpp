#include "engine/streamed_documents.h"

#include "engine/byte_sink.h"

#include <system_error>

namespace brindle {

CStreamedDocuments::CStreamedDocuments(CByteSink* left, CByteSink* right) : m_sinks{left, right}
{
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        hashTargetsAhead();
    }
}

CStreamedDocuments::~CStreamedDocuments()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void CStreamedDocuments::add(ESide side, std::string chunk)
{
    if (!m_sinks[side] || chunk.empty())
        return;
    if (!m_thread.joinable()) {
        writeChunk(side, chunk);
        return;
    }
    {
        // A few chunks in waiting keep the writing thread busy; a slow disk must not make the
        // whole document wait in memory.
        constexpr std::size_t kMostWaiting = 4;
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_queue.size() < kMostWaiting; });
        m_queue.emplace_back(side, std::move(chunk));
    }
    m_changed.notify_all();
}

std::string CStreamedDocuments::recycled()
{
    const std::lock_guard lock(m_mutex);
    if (m_spare.empty())
        return {};
    std::string buffer = std::move(m_spare.back());
    m_spare.pop_back();
    return buffer;
}

void CStreamedDocuments::finish()
{
    if (!m_thread.joinable()) {
        syncAll();
        return;
    }
    std::unique_lock lock(m_mutex);
    m_finishing = true;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return m_done; });
}

void CStreamedDocuments::run()
{
    hashTargetsAhead();
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || m_finishing || !m_queue.empty(); });
        if (m_stopping)
            return;
        if (m_queue.empty()) {
            lock.unlock();
            syncAll();
            lock.lock();
            m_done = true;
            m_changed.notify_all();
            return;
        }
        auto [side, chunk] = std::move(m_queue.front());
        m_queue.pop_front();
        m_changed.notify_all();  // room for add()
        lock.unlock();
        writeChunk(side, chunk);
        chunk.clear();
        lock.lock();
        // A few buffers are enough to keep both documents going; more would only hold memory.
        if (m_spare.size() < 4)
            m_spare.push_back(std::move(chunk));
    }
}

void CStreamedDocuments::hashTargetsAhead()
{
    for (CByteSink* sink : m_sinks) {
        if (sink)
            sink->hashTargetAhead();
    }
}

void CStreamedDocuments::writeChunk(ESide side, const std::string& chunk)
{
    if (m_ok[side])
        m_ok[side] = m_sinks[side]->write(chunk.data(), chunk.size());
}

void CStreamedDocuments::syncAll()
{
    for (const ESide side : {kLeft, kRight}) {
        if (m_sinks[side] && m_ok[side])
            m_ok[side] = m_sinks[side]->sync();
    }
}

}  // namespace brindle
