#include "engine/folder_comparison.h"

#include "engine/cancel_flag.h"
#include "engine/file_exception.h"
#include "platform/profile.h"
#include "platform/utf8.h"

#include <algorithm>
#include <condition_variable>
#include <fnmatch.h>
#include <mutex>
#include <thread>

namespace brindle {

namespace {

std::string joined(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + '/' + name;
}

SFolderSide sideOf(const SFolderItem* item)
{
    SFolderSide side;
    if (item) {
        side.present = true;
        side.kind = item->kind;
        side.size = item->size;
        side.lastWriteTime = item->lastWriteTime;
    }
    return side;
}

std::vector<SFolderItem> listOrThrow(const std::string& folder)
{
    std::error_code error;
    std::vector<SFolderItem> items = listFolder(folder, error);
    if (error)
        throw CFileException(pathFromNative(folder), CFileException::Operation::Open, error);
    return items;
}

unsigned workerCount(unsigned wanted) { return wanted ? wanted : std::max(1u, std::thread::hardware_concurrency()); }

}  // namespace

bool SFolderEntry::isFolder() const
{
    return (side1.present && side1.kind == EFolderItemKind::Folder) ||
           (side2.present && side2.kind == EFolderItemKind::Folder);
}

std::vector<std::string> defaultExcludePatterns() { return {".git", ".svn", ".hg", "*.o", "*.obj", "__pycache__"}; }

std::vector<std::string> loadExcludePatterns(const CProfile& profile)
{
    const std::u16string none = u"\n";  // a value no saved list can be
    const std::u16string saved = profile.readString(kCompareFoldersSection, kExcludePatternsValue, none);
    if (saved == none)
        return defaultExcludePatterns();
    std::vector<std::string> patterns;
    const std::string text = utf8FromUtf16Lossless(saved);
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        if (end > start)
            patterns.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return patterns;
}

void saveExcludePatterns(CProfile& profile, const std::vector<std::string>& patterns)
{
    std::string text;
    for (const std::string& pattern : patterns)
        text += (text.empty() ? "" : ";") + pattern;
    profile.writeString(kCompareFoldersSection, kExcludePatternsValue, utf16FromUtf8Lossless(text));
}

bool matchesAnyPattern(const std::string& name, const std::vector<std::string>& patterns)
{
    return std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
        return ::fnmatch(pattern.c_str(), name.c_str(), FNM_PERIOD) == 0;
    });
}

CFolderComparison::CFolderComparison(std::string root1, std::string root2, SFolderCompareOptions options)
    : m_root1(std::move(root1)), m_root2(std::move(root2)), m_options(std::move(options))
{
}

std::string CFolderComparison::sidePath(const SFolderEntry& entry, int side) const
{
    return joined(side == 1 ? m_root1 : m_root2, entry.path);
}

SFolderProgress CFolderComparison::progress() const
{
    return {m_compared.load(std::memory_order_relaxed), m_toCompare.load(std::memory_order_relaxed)};
}

// The file pairs waiting for a worker, and the workers taking them one by one until the listing
// is done and nothing is left.
class CFolderComparison::CWorkers {
public:
    CWorkers(unsigned count, const std::function<void(std::size_t, SFolderEntry&)>& work)
    {
        for (unsigned i = 0; i < count; ++i)
            m_threads.emplace_back([this, &work] { serve(work); });
    }
    ~CWorkers() { finish(); }
    CWorkers(const CWorkers&) = delete;
    CWorkers& operator=(const CWorkers&) = delete;

    void add(std::size_t index, SFolderEntry& entry)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_jobs.emplace_back(index, &entry);
        }
        m_ready.notify_one();
    }
    // No more jobs come; returns when every job is done.
    void finish()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_closed = true;
        }
        m_ready.notify_all();
        m_threads.clear();
    }

private:
    void serve(const std::function<void(std::size_t, SFolderEntry&)>& work)
    {
        for (;;) {
            std::unique_lock lock(m_mutex);
            m_ready.wait(lock, [this] { return m_closed || !m_jobs.empty(); });
            if (m_jobs.empty())
                return;
            const auto [index, entry] = m_jobs.front();
            m_jobs.pop_front();
            lock.unlock();
            if (!cancelRequested())
                work(index, *entry);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<std::pair<std::size_t, SFolderEntry*>> m_jobs;
    bool m_closed = false;
    std::vector<std::jthread> m_threads;
};

CFolderComparison::~CFolderComparison() = default;

bool CFolderComparison::run(const SFolderCallbacks& callbacks)
{
    m_entries.clear();
    m_toCompare = 0;
    m_compared = 0;
    listOrThrow(m_root1);
    listOrThrow(m_root2);
    const std::function<void(std::size_t, SFolderEntry&)> work = [&](std::size_t index, SFolderEntry& entry) {
        compareOne(entry);
        m_compared.fetch_add(1, std::memory_order_relaxed);
        if (callbacks.compared)
            callbacks.compared(index);
    };
    {
        CWorkers workers(workerCount(m_options.threads), work);
        m_workers = &workers;
        m_callbacks = &callbacks;
        listPair(std::string(), -1, 0, true, true);
        m_workers = nullptr;
        m_callbacks = nullptr;
    }
    sumUpFolders();
    return !cancelRequested();
}

// Both sides' items of one folder, merged by name; a folder found on either side is listed
// right after its own entry, so that entries stay in path order.
void CFolderComparison::listPair(const std::string& relative, std::ptrdiff_t parent, int depth, bool on1, bool on2)
{
    if (cancelRequested())
        return;
    std::vector<SFolderItem> items1;
    std::vector<SFolderItem> items2;
    std::error_code error1;
    std::error_code error2;
    if (on1)
        items1 = listFolder(joined(m_root1, relative), error1);
    if (on2)
        items2 = listFolder(joined(m_root2, relative), error2);
    if (error1 || error2) {
        // What the other side holds cannot be matched: nothing is listed under the folder.
        items1.clear();
        items2.clear();
        SFolderEntry& folder = m_entries[static_cast<std::size_t>(parent)];
        folder.state = EEntryState::Unreadable;
        const std::string native = joined(error1 ? m_root1 : m_root2, relative);
        folder.problem =
            u8(inputFileProblem(pathFromNative(native), CFileException::Operation::Open, error1 ? error1 : error2));
    }
    auto it1 = items1.begin();
    auto it2 = items2.begin();
    while (it1 != items1.end() || it2 != items2.end()) {
        const SFolderItem* item1 = nullptr;
        const SFolderItem* item2 = nullptr;
        if (it2 == items2.end() || (it1 != items1.end() && it1->name < it2->name)) {
            item1 = &*it1++;
        } else if (it1 == items1.end() || it2->name < it1->name) {
            item2 = &*it2++;
        } else {
            item1 = &*it1++;
            item2 = &*it2++;
        }
        const std::string& name = item1 ? item1->name : item2->name;
        if (matchesAnyPattern(name, m_options.excludes))
            continue;
        addEntry(joined(relative, name), parent, depth, item1, item2);
    }
}

void CFolderComparison::addEntry(const std::string& relative, std::ptrdiff_t parent, int depth,
                                 const SFolderItem* item1, const SFolderItem* item2)
{
    const auto index = static_cast<std::ptrdiff_t>(m_entries.size());
    SFolderEntry& entry = m_entries.emplace_back();
    entry.path = relative;
    entry.name = item1 ? item1->name : item2->name;
    entry.depth = depth;
    entry.parent = parent;
    entry.side1 = sideOf(item1);
    entry.side2 = sideOf(item2);
    classify(entry, item1, item2);
    if (m_callbacks && m_callbacks->listed)
        m_callbacks->listed(static_cast<std::size_t>(index));
    if (entry.state == EEntryState::Pending) {
        m_toCompare.fetch_add(1, std::memory_order_relaxed);
        m_workers->add(static_cast<std::size_t>(index), entry);
    }
    const bool folder1 = item1 && !item1->error && item1->kind == EFolderItemKind::Folder;
    const bool folder2 = item2 && !item2->error && item2->kind == EFolderItemKind::Folder;
    // A folder facing a file is listed on its own side only, under the entry that says so.
    if (folder1 || folder2)
        listPair(relative, index, depth + 1, folder1, folder2);
}

void CFolderComparison::classify(SFolderEntry& entry, const SFolderItem* item1, const SFolderItem* item2)
{
    const SFolderItem* failed = item1 && item1->error ? item1 : item2 && item2->error ? item2 : nullptr;
    if (failed) {
        entry.state = EEntryState::Unreadable;
        const std::string native = sidePath(entry, failed == item1 ? 1 : 2);
        entry.problem = u8(inputFileProblem(pathFromNative(native), CFileException::Operation::Open, failed->error));
        return;
    }
    if (!item1 || !item2) {
        entry.state = item1 ? EEntryState::OnlyIn1 : EEntryState::OnlyIn2;
        return;
    }
    if (item1->kind != item2->kind) {
        entry.state = EEntryState::TypeDiffers;
        return;
    }
    switch (item1->kind) {
    case EFolderItemKind::Folder: entry.state = EEntryState::Same; break;  // summed up later
    case EFolderItemKind::Link: compareLinks(entry); break;
    case EFolderItemKind::Special:
        entry.state = item1->fileType == item2->fileType && item1->device == item2->device ? EEntryState::Same
                                                                                           : EEntryState::Different;
        break;
    case EFolderItemKind::File:
        if (item1->size != item2->size && !m_options.ignoreWhitespace && !m_options.ignoreCase &&
            !m_options.fileKinds) {
            entry.state = EEntryState::Different;
            break;
        }
        entry.state = EEntryState::Pending;
        break;
    }
}

// Links are compared as links: by the text they hold, never by what they point at.
void CFolderComparison::compareLinks(SFolderEntry& entry)
{
    std::error_code error;
    const std::string target1 = linkTarget(sidePath(entry, 1), error);
    std::string target2;
    if (!error)
        target2 = linkTarget(sidePath(entry, 2), error);
    if (error) {
        entry.state = EEntryState::Unreadable;
        entry.problem =
            u8(inputFileProblem(pathFromNative(sidePath(entry, 1)), CFileException::Operation::Read, error));
        return;
    }
    entry.state = target1 == target2 ? EEntryState::Same : EEntryState::Different;
}

void CFolderComparison::compareOne(SFolderEntry& entry) const
{
    SFilePairOptions options;
    options.ignoreWhitespace = m_options.ignoreWhitespace;
    options.ignoreCase = m_options.ignoreCase;
    options.fileKinds = m_options.fileKinds;
    const SFilePairResult result =
        compareFilePair(sidePath(entry, 1), sidePath(entry, 2), entry.side1.size, entry.side2.size, options);
    entry.kind = result.kind;
    entry.sameIgnoring = result.sameIgnoring;
    entry.problem = result.problem;
    entry.state = !result.problem.empty() ? EEntryState::Unreadable
                  : result.same           ? EEntryState::Same
                                          : EEntryState::Different;
}

// Children come after their folder, so one pass from the end carries every state upwards.
void CFolderComparison::sumUpFolders()
{
    std::vector<bool> differs(m_entries.size(), false);
    for (std::size_t i = m_entries.size(); i-- > 0;) {
        SFolderEntry& entry = m_entries[i];
        const bool bothFolders = entry.side1.present && entry.side2.present &&
                                 entry.side1.kind == EFolderItemKind::Folder &&
                                 entry.side2.kind == EFolderItemKind::Folder;
        if (bothFolders && entry.state != EEntryState::Unreadable)
            entry.state = differs[i] ? EEntryState::Different : EEntryState::Same;
        if (entry.parent >= 0 && entry.state != EEntryState::Same)
            differs[static_cast<std::size_t>(entry.parent)] = true;
    }
}

}  // namespace brindle
