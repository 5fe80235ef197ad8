#include "compare_ui/comp_files_page.h"

#include "engine/comp_file_opt.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/string_ids.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <utility>

namespace brindle {

namespace {

struct SFieldRow {
    int stringId;  // label
    int controlId;
};

// In the order of the page's Field enumeration.
constexpr SFieldRow kRows[] = {
    {3272, CCompFilesPage::kIdFile1LinePrefix},    {3273, CCompFilesPage::kIdFile1SectionHeader},
    {3274, CCompFilesPage::kIdFile1SectionFooter}, {3275, CCompFilesPage::kIdFile2LinePrefix},
    {3276, CCompFilesPage::kIdFile2SectionHeader}, {3277, CCompFilesPage::kIdFile2SectionFooter},
};

// The record's tags, in the order of the page's Field enumeration.
std::array<std::u16string*, 6> tagFields(CCompFileOpt& record)
{
    return {&record.m_file1LinePrefix, &record.m_file1SectionHeader, &record.m_file1SectionFooter,
            &record.m_file2LinePrefix, &record.m_file2SectionHeader, &record.m_file2SectionFooter};
}

}  // namespace

CCompFilesPage::CCompFilesPage(CCompFileOpt& record, QWidget* parent) : QWidget(parent), m_record(record)
{
    setObjectName(QStringLiteral("1545"));
    auto* grid = new QGridLayout(this);
    const auto values = tagFields(record);
    for (int field = 0; field < kFieldCount; ++field) {
        auto* label = new QLabel(loadString(kRows[field].stringId), this);
        auto* edit = new QLineEdit(toQString(*values[static_cast<std::size_t>(field)]), this);
        edit->setObjectName(QString::number(kRows[field].controlId));
        label->setBuddy(edit);
        // A blank row between the file-1 and the file-2 tags.
        const int row = field < kPrefix2 ? field : field + 1;
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        m_edits[static_cast<std::size_t>(field)] = edit;
    }
    grid->setRowMinimumHeight(kPrefix2, 12);
    m_writeCommon = new QCheckBox(loadString(res::kStrWriteCommon), this);
    m_writeCommon->setObjectName(QString::number(kIdWriteCommonSections));
    m_writeCommon->setChecked(record.m_writeCommonSections != 0);
    grid->addWidget(m_writeCommon, kFieldCount + 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(kFieldCount + 3, 1);
}

std::optional<SPageFailure> CCompFilesPage::validate() const
{
    for (const auto& [header, footer] : {std::pair{kHeader1, kFooter1}, std::pair{kHeader2, kFooter2}}) {
        QLineEdit* headerEdit = m_edits[static_cast<std::size_t>(header)];
        QLineEdit* footerEdit = m_edits[static_cast<std::size_t>(footer)];
        if (!headerEdit->text().isEmpty() && footerEdit->text().isEmpty())
            return SPageFailure{footerEdit, res::kStrHeaderFooterPairs};
        if (headerEdit->text().isEmpty() && !footerEdit->text().isEmpty())
            return SPageFailure{headerEdit, res::kStrHeaderFooterPairs};
    }
    return std::nullopt;
}

void CCompFilesPage::apply()
{
    const auto values = tagFields(m_record);
    for (std::size_t field = 0; field < values.size(); ++field)
        *values[field] = toU16String(m_edits[field]->text());
    m_record.m_writeCommonSections = m_writeCommon->isChecked() ? 1 : 0;
}

}  // namespace brindle
