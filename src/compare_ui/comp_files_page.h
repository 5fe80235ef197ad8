// The "Merge File" page of the compare dialog: the merge-file tags and whether common sections are
// written.
#pragma once

#include "compare_ui/sel_page.h"

#include <QWidget>
#include <array>
#include <optional>

class QCheckBox;
class QLineEdit;

namespace brindle {

class CCompFileOpt;

// Page dialog 1545. Controls carry their ids as object names.
class CCompFilesPage : public QWidget {
    Q_OBJECT
public:
    enum ControlId : int {
        kIdFile1LinePrefix = 1125,
        kIdFile1SectionHeader = 1127,
        kIdFile1SectionFooter = 1129,
        kIdFile2LinePrefix = 1126,
        kIdFile2SectionHeader = 1128,
        kIdFile2SectionFooter = 1130,
        kIdWriteCommonSections = 1133,
    };

    // Shows the record's tags and "Write Common Sections". record must outlive the page.
    explicit CCompFilesPage(CCompFileOpt& record, QWidget* parent = nullptr);

    // Per file, file 1 first: section header and footer are both empty or both given. A header
    // without footer fails at the footer, a footer without header at the header (message 2148).
    std::optional<SPageFailure> validate() const;
    // Writes the six tags and the box into the record.
    void apply();

private:
    enum Field { kPrefix1, kHeader1, kFooter1, kPrefix2, kHeader2, kFooter2, kFieldCount };

    CCompFileOpt& m_record;
    std::array<QLineEdit*, kFieldCount> m_edits{};
    QCheckBox* m_writeCommon;
};

}  // namespace brindle
