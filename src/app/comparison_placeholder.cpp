#include "app/comparison_placeholder.h"

#include "engine/cancel_flag.h"

#include <QHeaderView>

namespace brindle {

SRunOutcome CComparisonPlaceholderDoc::runComparison(const CCompFileOpt& record, const QString& mergePath)
{
    m_record = record;
    m_record.m_comparisonKind = kComparisonText;
    m_outcome = RunComparison(m_record, mergePath.toStdU16String(), m_report, SRunOptions{false});
    updateAllViews(nullptr);
    return m_outcome;
}

CComparisonPlaceholderView::CComparisonPlaceholderView(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
}

void CComparisonPlaceholderView::onUpdate(CView*, int)
{
    clear();
    auto* doc = qobject_cast<CComparisonPlaceholderDoc*>(document());
    if (!doc)
        return;
    const SReport& report = doc->report();
    auto* root = new QTreeWidgetItem(this, {QString::fromStdU16String(report.rootText)});
    for (const SSectionItem& item : report.items) {
        auto* child = new QTreeWidgetItem(root, {QString::fromStdU16String(item.label)});
        child->setData(0, Qt::UserRole, item.reportLine);
        child->setForeground(0, item.image == kImageCommon ? palette().text() : QBrush(Qt::blue));
    }
    root->setExpanded(true);
    if (doc->outcome().status == SRunOutcome::Status::Failed)
        new QTreeWidgetItem(this, {QString::fromStdString(doc->outcome().message)});
}

}  // namespace brindle
