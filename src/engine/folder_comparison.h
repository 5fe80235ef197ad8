// Two folder trees compared entry by entry, in path order: every file, folder, link and special
// file of either side with its state, and for a folder the summary of what it holds.
#pragma once

#include "engine/file_pair_comparison.h"
#include "platform/folder_listing.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

enum class EEntryState : std::uint8_t {
    Pending,    // a file pair not compared yet
    Same,       // for a folder: everything in it is the same
    Different,  // for a folder: something in it is not the same
    OnlyIn1,
    OnlyIn2,
    TypeDiffers,  // a file on one side, a folder (or link, or special file) on the other
    Unreadable,   // could not be listed or read; problem says why
};

struct SFolderSide {
    bool present = false;
    EFolderItemKind kind = EFolderItemKind::File;
    std::int64_t size = 0;
    std::int64_t lastWriteTime = 0;  // nanoseconds since 1970-01-01 UTC
};

struct SFolderEntry {
    std::string path;            // below the roots, '/' between names; the names' own bytes
    std::string name;            // the last name of path
    int depth = 0;               // 0 for what the roots hold directly
    std::ptrdiff_t parent = -1;  // index of the folder entry holding it; -1 for the roots
    SFolderSide side1;
    SFolderSide side2;
    EEntryState state = EEntryState::Pending;
    EFileKind kind = EFileKind::Unknown;  // of a file pair, when examined
    bool sameIgnoring = false;            // see SFilePairResult
    std::string problem;

    bool isFolder() const;
};

struct SFolderCompareOptions {
    bool ignoreWhitespace = false;
    bool ignoreCase = false;
    bool fileKinds = false;             // examine text or binary of every file pair
    std::vector<std::string> excludes;  // shell patterns of names left out on both sides
    unsigned threads = 0;               // workers comparing file pairs; 0: one per core
};

class CProfile;

// The settings section of folder comparisons, and its value of the patterns to leave out.
inline constexpr std::u16string_view kCompareFoldersSection = u"Compare Folders";
inline constexpr std::u16string_view kExcludePatternsValue = u"Exclude Patterns";

// The names left out unless the user says otherwise.
std::vector<std::string> defaultExcludePatterns();
// The patterns the user keeps in the settings store (kExcludePatternsValue of
// kCompareFoldersSection, separated by ";"), the default ones when there are none saved.
std::vector<std::string> loadExcludePatterns(const CProfile& profile);
void saveExcludePatterns(CProfile& profile, const std::vector<std::string>& patterns);
// True when name matches one of the shell patterns (*, ?, [...]); a pattern matches whole names.
bool matchesAnyPattern(const std::string& name, const std::vector<std::string>& patterns);

// Where in the run the comparison stands: entries listed, file pairs compared of those to do.
struct SFolderProgress {
    std::size_t compared = 0;
    std::size_t toCompare = 0;
};

struct SFolderCallbacks {
    std::function<void(std::size_t)> listed;    // on the calling thread, for each new entry
    std::function<void(std::size_t)> compared;  // on a worker thread, after each file pair
};

class CFolderComparison {
public:
    CFolderComparison(std::string root1, std::string root2, SFolderCompareOptions options);
    ~CFolderComparison();

    // Lists both trees into entries() while workers compare the file pairs already listed, then
    // sums up the folders. Folders, links and special files get their state as they are listed,
    // file pairs are Pending until compared. False when cancelled (the cancel flag); the pairs
    // not reached stay Pending. Throws CFileException when a root cannot be listed.
    bool run(const SFolderCallbacks& callbacks = {});
    // Sets every folder's state from what it holds (done by run; again after changes).
    void sumUpFolders();

    // Entries never move once listed: a worker or a window may hold on to one.
    const std::deque<SFolderEntry>& entries() const { return m_entries; }
    std::deque<SFolderEntry>& entries() { return m_entries; }
    const std::string& root1() const { return m_root1; }
    const std::string& root2() const { return m_root2; }
    // The entry's native path on side 1 or 2.
    std::string sidePath(const SFolderEntry& entry, int side) const;
    SFolderProgress progress() const;

private:
    class CWorkers;

    void listPair(const std::string& relative, std::ptrdiff_t parent, int depth, bool on1, bool on2);
    void addEntry(const std::string& relative, std::ptrdiff_t parent, int depth, const SFolderItem* item1,
                  const SFolderItem* item2);
    void classify(SFolderEntry& entry, const SFolderItem* item1, const SFolderItem* item2);
    void compareLinks(SFolderEntry& entry);
    void compareOne(SFolderEntry& entry) const;

    std::string m_root1;
    std::string m_root2;
    SFolderCompareOptions m_options;
    std::deque<SFolderEntry> m_entries;
    CWorkers* m_workers = nullptr;  // while run() lists
    const SFolderCallbacks* m_callbacks = nullptr;
    std::atomic<std::size_t> m_toCompare{0};
    std::atomic<std::size_t> m_compared{0};
};

}  // namespace brindle
