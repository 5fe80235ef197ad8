// The "Compare Files" dialog: a sheet of three pages editing one compare-options record, and the
// routine that runs it for the "Compare Files" command.
#pragma once

#include <QDialog>
#include <QString>

class QTabWidget;

namespace brindle {

class CCompFileOpt;
class CCompareDlgHost;
class CCompFilesPage;
class CDisplayPage;
class CSelPage;
struct SPageFailure;

// Caption kStrCompareDlgCaption, pages "Compare Files" (CSelPage), "Merge File" (CCompFilesPage) and
// "Display" (CDisplayPage), the first selected; OK and Cancel, no Apply. Like every window it
// does not take its owner's font, and unlike the program's other dialogs it is not given the
// user's dialog font. Leaving the "Merge File" page with an unpaired header or footer is refused.
class CCompareDlg : public QDialog {
    Q_OBJECT
public:
    // "Display Merge File" starts as "Show Merge Editor" ("Settings") when the record's output
    // file is not empty, otherwise off. record and host must outlive the sheet; font choices are
    // written into the record at once, everything else only by accept().
    CCompareDlg(CCompFileOpt& record, CCompareDlgHost& host, QWidget* owner);

    CSelPage& selPage() const { return *m_selPage; }
    CCompFilesPage& compFilesPage() const { return *m_compFilesPage; }
    CDisplayPage& displayPage() const { return *m_displayPage; }
    QTabWidget& tabs() const { return *m_tabs; }

    // OK: validates the pages (a failure shows its message, selects the page, focuses the control
    // and keeps the sheet open). Then writes the pages, the two file names and colours into the
    // record, the histories to "Paths" and "Show Merge Editor", and closes.
    void accept() override;

    // After OK: the record's output file when "Display Merge File" was ticked, else empty.
    QString mergePath() const;

private:
    void pageChanged(int index);
    void showFailure(QWidget* page, const SPageFailure& failure);

    CCompFileOpt& m_record;
    CCompareDlgHost& m_host;
    QTabWidget* m_tabs;
    CSelPage* m_selPage;
    CCompFilesPage* m_compFilesPage;
    CDisplayPage* m_displayPage;
    int m_currentPage = 0;
};

// Runs the sheet modally on record, which the caller has loaded from the settings (a fresh record
// from the main frame, the comparison window's own record from there). Returns true for OK; then
// record holds the choices, the settings are written, and mergePath (when given) is the merge file
// to write and open, empty for none. The caller opens the comparison with both. host nullptr means
// CCompareDlgHost::instance(); its sheetClosed() runs after OK and after Cancel.
bool runCompareDialog(CCompFileOpt& record, QWidget* owner, QString* mergePath = nullptr,
                      CCompareDlgHost* host = nullptr);

// A control of a page or of the sheet by its id (object name); nullptr when there is none.
template <class T>
T* findControl(const QObject& parent, int id)
{
    return parent.findChild<T*>(QString::number(id));
}

}  // namespace brindle
