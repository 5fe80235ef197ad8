// The view of a folder comparison window: both trees as one tree, an entry a row with its state,
// kind, sizes and times; navigation between differences and the entry commands.
#pragma once

#include "framework/view.h"

#include <QTreeWidget>
#include <string>
#include <unordered_map>
#include <vector>

namespace brindle {

class CFolderDoc;
struct SFolderEntry;

class CFolderView : public QTreeWidget, public CView {
    Q_OBJECT
public:
    explicit CFolderView(QWidget* parent = nullptr);
    ~CFolderView() override;

    QWidget* widget() override { return this; }
    void onInitialUpdate() override;
    void onUpdate(CView* sender, int hint) override;

    // The entry of the current row, or nullptr.
    const SFolderEntry* currentEntry() const;
    // Makes the next (or previous) entry that is not the same the current row, wrapping around.
    void nextDifference(bool forward);
    // The row of the entry at path (below the roots), or nullptr.
    QTreeWidgetItem* itemOf(const std::string& path) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CFolderDoc* folderDocument() const;
    void rebuild();
    QTreeWidgetItem* addRow(const SFolderEntry& entry, std::size_t index);
    void fillRow(QTreeWidgetItem& row, const SFolderEntry& entry, std::size_t index);
    void appendListed(const std::vector<SFolderEntry>& entries);
    void openCurrent();
    void updateStatus();
    void fitColumns();

    std::vector<QTreeWidgetItem*> m_items;  // by entry index
    std::unordered_map<std::string, std::size_t> m_indexOfPath;
    bool m_rowsListed = false;  // m_items were made by a listing still to be completed
};

}  // namespace brindle
