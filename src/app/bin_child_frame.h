// The hex window's frame: the user can split it into up to two rows and two columns of views.
#pragma once

#include "framework/mdi_child_wnd.h"

#include <array>

class QSplitter;

namespace brindle {

class CView;

// A grid of panes, each showing the document through its own view made by the template. The first
// pane holds the template's view. "Split" (cmd::kWindowSplit) opens all four panes with the bars in the middle;
// a bar dragged out of a window edge opens a row or column, a bar dragged onto the edge (below
// 10 pixels) closes its row or column and the views in it. Column widths are the same in both rows.
// Not a placement-keeping frame.
class CBinChildFrame : public CMDIChildWnd {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 2;
    static constexpr int kMaxColumns = 2;
    static constexpr int kMinPaneSize = 10;

    CBinChildFrame(CDocTemplate& docTemplate, CDocument& document);
    ~CBinChildFrame() override;

    // False when the first pane's view cannot be made.
    bool onCreateClient() override;

    // Opens rows × columns panes (each clamped to 1..2); panes already open keep their views. False
    // when a view cannot be made.
    bool split(int rows, int columns);
    int rowCount() const;
    int columnCount() const;
    // The view of a pane, nullptr for a closed one.
    CView* paneView(int row, int column) const;

    QSplitter* rowSplitter() const { return m_rows; }
    QSplitter* columnSplitter(int row) const { return m_columns[static_cast<std::size_t>(row)]; }

private:
    void onRowsMoved();
    void onColumnsMoved(int row);
    bool updatePanes();
    CView* firstView() const;

    QSplitter* m_rows = nullptr;
    std::array<QSplitter*, kMaxRows> m_columns{};
    std::array<std::array<QWidget*, kMaxColumns>, kMaxRows> m_cells{};
    std::array<std::array<CView*, kMaxColumns>, kMaxRows> m_views{};
    std::array<bool, kMaxRows> m_rowOpen{true, false};
    std::array<bool, kMaxColumns> m_columnOpen{true, false};
    bool m_built = false;
};

}  // namespace brindle
