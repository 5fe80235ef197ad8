// The section list of the comparison window: one item per common section and difference group.
#pragma once

#include "framework/view.h"

#include <QTreeWidget>
#include <vector>

namespace brindle {

struct SSectionItem;
class CBRDDoc;

// Root "Comparison Results" with one child per section; each child carries the report line at which
// its section starts. Choosing an item scrolls both report panes so that line is at their top.
class CBRDView : public QTreeWidget, public CView {
    Q_OBJECT
public:
    explicit CBRDView(QWidget* parent = nullptr);
    QWidget* widget() override { return this; }
    CBRDDoc* document() const;

    // Replaces the items (root text and sections) and selects nothing. Each item has its whole
    // label as tooltip, so a label the list cuts (with an ellipsis) can still be read.
    void setItems(const QString& rootText, const std::vector<SSectionItem>& items);
    // The width the list needs to show its widest label whole.
    int fittingWidth() const;
    // Deletes the root item and with it every section item.
    void deleteRoot();
    QTreeWidgetItem* root() const;

    // Next: the next sibling of the selected section, else the first section. Previous: the
    // previous sibling, else the last section. Nothing when there are no sections.
    void selectNext();
    void selectPrevious();

signals:
    // setItems has put new items in the list.
    void itemsSet();

private:
    void onSelectionChanged();
};

}  // namespace brindle
