// The comparison window until the report panes arrive: runs the comparison through the engine and
// lists the section-list items.
#pragma once

#include "engine/comp_file_opt.h"
#include "engine/compare_driver.h"
#include "engine/report.h"
#include "framework/document.h"
#include "framework/view.h"

#include <QTreeWidget>

namespace brindle {

class CComparisonPlaceholderDoc : public CDocument {
    Q_OBJECT
public:
    // Runs the comparison of record (its files and options) and keeps the outcome.
    SRunOutcome runComparison(const CCompFileOpt& record, const QString& mergePath);

    const CCompFileOpt& record() const { return m_record; }
    const SReport& report() const { return m_report; }
    const SRunOutcome& outcome() const { return m_outcome; }

private:
    CCompFileOpt m_record;
    SReport m_report;
    SRunOutcome m_outcome;
};

// The section list: root "Comparison Results" and one item per section or difference group.
class CComparisonPlaceholderView : public QTreeWidget, public CView {
    Q_OBJECT
public:
    explicit CComparisonPlaceholderView(QWidget* parent);
    QWidget* widget() override { return this; }
    void onUpdate(CView* sender, int hint) override;
};

}  // namespace brindle
