#include "app/bin_child_frame.h"

#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/view.h"

#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

namespace brindle {

namespace {

int openCount(const auto& open) { return static_cast<int>(std::count(open.begin(), open.end(), true)); }

// Sizes for a splitter of two panes over length pixels: halves when both are open, else all to the
// open one (a closed pane has size 0).
QList<int> paneSizes(bool first, bool second, int length)
{
    if (first && second)
        return {length / 2, length - length / 2};
    return first ? QList<int>{length, 0} : QList<int>{0, length};
}

}  // namespace

CBinChildFrame::CBinChildFrame(CDocTemplate& docTemplate, CDocument& document) : CMDIChildWnd(docTemplate, document)
{
    onCommand(cmd::kWindowSplit, [this] { split(kMaxRows, kMaxColumns); });
    onUpdateCommand(cmd::kWindowSplit,
                    [this](CCmdUI& ui) { ui.enable(rowCount() < kMaxRows || columnCount() < kMaxColumns); });
}

CBinChildFrame::~CBinChildFrame() = default;

bool CBinChildFrame::onCreateClient()
{
    if (!document())
        return false;
    m_rows = new QSplitter(Qt::Vertical, this);
    setWidget(m_rows);
    for (int row = 0; row < kMaxRows; ++row) {
        auto* columns = new QSplitter(Qt::Horizontal, m_rows);
        m_rows->addWidget(columns);
        m_columns[row] = columns;
        for (int column = 0; column < kMaxColumns; ++column) {
            auto* cell = new QWidget(columns);
            cell->setMinimumSize(kMinPaneSize, kMinPaneSize);
            auto* layout = new QVBoxLayout(cell);
            layout->setContentsMargins(0, 0, 0, 0);
            columns->addWidget(cell);
            m_cells[row][column] = cell;
        }
        columns->setSizes(paneSizes(true, false, columns->width()));
        connect(columns, &QSplitter::splitterMoved, this, [this, row] { onColumnsMoved(row); });
    }
    m_rows->setSizes(paneSizes(true, false, m_rows->height()));
    connect(m_rows, &QSplitter::splitterMoved, this, &CBinChildFrame::onRowsMoved);
    if (!updatePanes())
        return false;
    m_built = true;
    setActiveView(m_views[0][0]);
    return true;
}

bool CBinChildFrame::split(int rows, int columns)
{
    if (!m_rows)
        return false;
    rows = std::clamp(rows, 1, kMaxRows);
    columns = std::clamp(columns, 1, kMaxColumns);
    if (openCount(m_rowOpen) < rows) {
        m_rowOpen.fill(true);
        m_rows->setSizes(paneSizes(true, true, m_rows->height()));
    }
    if (openCount(m_columnOpen) < columns) {
        m_columnOpen.fill(true);
        for (QSplitter* splitter : m_columns)
            splitter->setSizes(paneSizes(true, true, splitter->width()));
    }
    return updatePanes();
}

int CBinChildFrame::rowCount() const { return openCount(m_rowOpen); }

int CBinChildFrame::columnCount() const { return openCount(m_columnOpen); }

CView* CBinChildFrame::paneView(int row, int column) const
{
    if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns)
        return nullptr;
    return m_views[row][column];
}

void CBinChildFrame::onRowsMoved()
{
    const QList<int> sizes = m_rows->sizes();
    for (int row = 0; row < kMaxRows; ++row)
        m_rowOpen[row] = sizes.value(row) > 0;
    updatePanes();
}

void CBinChildFrame::onColumnsMoved(int row)
{
    const QList<int> sizes = m_columns[row]->sizes();
    for (QSplitter* other : m_columns) {
        if (other != m_columns[row]) {
            const QSignalBlocker quiet(other);
            other->setSizes(sizes);
        }
    }
    for (int column = 0; column < kMaxColumns; ++column)
        m_columnOpen[column] = sizes.value(column) > 0;
    updatePanes();
}

bool CBinChildFrame::updatePanes()
{
    if (openCount(m_rowOpen) == 0)
        m_rowOpen[0] = true;
    if (openCount(m_columnOpen) == 0)
        m_columnOpen[0] = true;
    // New views first, so that the document never loses its last view on the way.
    for (int row = 0; row < kMaxRows; ++row) {
        for (int column = 0; column < kMaxColumns; ++column) {
            if (!m_rowOpen[row] || !m_columnOpen[column] || m_views[row][column])
                continue;
            CView* view = docTemplate().createView(*document(), m_cells[row][column]);
            if (!view)
                return false;
            m_cells[row][column]->layout()->addWidget(view->widget());
            view->widget()->show();
            watchView(view);
            m_views[row][column] = view;
            if (m_built)
                view->onInitialUpdate();
        }
    }
    for (int row = 0; row < kMaxRows; ++row) {
        for (int column = 0; column < kMaxColumns; ++column) {
            CView* view = m_views[row][column];
            if (!view || (m_rowOpen[row] && m_columnOpen[column]))
                continue;
            m_views[row][column] = nullptr;
            if (activeView() == view)
                setActiveView(firstView());
            delete view->widget();
        }
    }
    return true;
}

CView* CBinChildFrame::firstView() const
{
    for (const auto& row : m_views) {
        for (CView* view : row) {
            if (view)
                return view;
        }
    }
    return nullptr;
}

}  // namespace brindle
