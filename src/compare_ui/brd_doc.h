// The document of the comparison window: the comparison context, Refresh, section navigation,
// and opening a comparison.
#pragma once

#include "engine/comp_file_opt.h"
#include "engine/compare_driver.h"
#include "engine/report.h"
#include "framework/command_ids.h"
#include "framework/template_positions.h"
#include "merge_editor/edit_doc.h"

#include <QString>
#include <memory>

namespace brindle {

class CBRDView;
class CBrdFormView;
class CCompCtrl;

// The file commands both views of a comparison window show disabled: the window has no file of
// its own to save and no document to print.
inline constexpr int kComparisonDisabledFileCommands[] = {cmd::kFileSave, cmd::kFileSaveAs, cmd::kFilePrint,
                                                          cmd::kFilePrintPreview};

// Holds the compare-options record of the window and the two report panes (they live here and
// the form view only places them), the last report's section items, and the merge file to write
// at the next comparison. Its first view is the section list, its second the form view. The
// inherited text buffer holds the merge file when the document is the merge editor's; in the
// comparison window it is only emptied.
class CBRDDoc : public CEditDoc {
    Q_OBJECT
public:
    CBRDDoc();
    ~CBRDDoc() override;

    CCompFileOpt& context() { return m_context; }
    const CCompFileOpt& context() const { return m_context; }
    CCompCtrl& pane1() const { return *m_pane1; }
    CCompCtrl& pane2() const { return *m_pane2; }
    const SReport& report() const { return m_report; }
    const SRunOutcome& lastOutcome() const { return m_outcome; }
    const QString& mergePath() const { return m_mergePath; }

    // Opens a comparison. Two folders open a folder comparison window instead (nullptr). A file of the record that cannot be opened (missing, a folder, not an
    // ordinary file, unreadable) is named in a message and nothing else happens (nullptr). Asks
    // first, as Close does, when the merge editor or hex view is modified
    // (Cancel: nullptr, nothing changed); reuses (or makes) the one comparison window, takes
    // record, saves it as the defaults, closes the merge editor and hex view, compares and, when
    // mergePath names a file afterwards, opens it. Returns the document.
    static CBRDDoc* openComparison(const CCompFileOpt& record, const QString& mergePath);

    // Compares the context's files again (writing the merge file when one is pending).
    void refresh();
    void nextSection();
    void prevSection();
    // Compare Files: the compare dialog on this window's options; OK opens the comparison.
    void compareFiles();

    // The file position of report line `line` (from 1) on side 1 or 2: a line number (from 0) for a
    // text comparison, a byte offset for a binary one.
    std::int64_t filePosition(int line, int side) const;

    // False for the merge editor's document, which is of this class too.
    bool isComparisonWindow() const;

    CBRDView* sectionList() const;
    CBrdFormView* formView() const;

    void deleteContents() override;

private:
    bool showReportInPanes();
    void fillSectionList();

    CCompFileOpt m_context;
    QString m_mergePath;
    SReport m_report;
    SRunOutcome m_outcome;
    std::unique_ptr<CCompCtrl> m_pane1;
    std::unique_ptr<CCompCtrl> m_pane2;
};

}  // namespace brindle
