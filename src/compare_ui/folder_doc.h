// The document of a folder comparison window: the two folders, their entries and states, and
// the commands that act on them (Refresh, copy an entry across, move one to the trash).
#pragma once

#include "engine/comp_file_opt.h"
#include "engine/folder_comparison.h"
#include "framework/document.h"

#include <QString>
#include <deque>
#include <memory>
#include <vector>

namespace brindle {

class CFolderDoc : public CDocument {
    Q_OBJECT
public:
    CFolderDoc();
    ~CFolderDoc() override;

    // True when both files of the record are folders.
    static bool namesTwoFolders(const CCompFileOpt& record);
    // Compares the record's two folders in the window of those folders (a new one when none is
    // open). nullptr when the user cancelled the first comparison.
    static CFolderDoc* openFolders(const CCompFileOpt& record);

    // Compares the folders again; false when cancelled (the entries shown stay as they were).
    bool refresh();
    const std::deque<SFolderEntry>& entries() const;
    const CCompFileOpt& context() const { return m_context; }
    QString root(int side) const;
    // The entry's path on side 1 or 2.
    QString sidePath(const SFolderEntry& entry, int side) const;

    bool showIdentical() const { return m_showIdentical; }
    // Opens the entry: a pair of files in the comparison window, a file of one side in the
    // editor or hex view. False when there is nothing to open (a folder, a special file).
    bool openEntry(const SFolderEntry& entry);
    // Copies the entry from side `from` over the other side, after asking; then compares again.
    bool copyEntry(const SFolderEntry& entry, int from);
    // Moves the entry of one side to the trash, after asking; then compares again.
    bool trashEntry(const SFolderEntry& entry, int side);

signals:
    // The entries were compared anew; views rebuild from them.
    void compared();
    // While a first comparison runs: entries just listed, in path order, each after its folder.
    void entriesListed(const std::vector<SFolderEntry>& entries);

private:
    bool compare();
    void editExcludePatterns();
    SFolderCompareOptions comparisonOptions() const;

    CCompFileOpt m_context;
    std::unique_ptr<CFolderComparison> m_comparison;
    bool m_showIdentical = true;
};

}  // namespace brindle
