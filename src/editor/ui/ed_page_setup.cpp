#include "editor/ui/ed_page_setup.h"

#include "editor/ed_settings_names.h"
#include "platform/settings_store.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <array>
#include <cmath>
#include <utility>

namespace brindle {

namespace {

template <class Setup>
auto fields(Setup& setup)
{
    return std::array{
        std::pair{kPageWidthValue, &setup.width}, std::pair{kPageHeightValue, &setup.height},
        std::pair{kPageLeftValue, &setup.left},   std::pair{kPageRightValue, &setup.right},
        std::pair{kPageTopValue, &setup.top},     std::pair{kPageBottomValue, &setup.bottom},
    };
}

double inches(std::uint32_t thousandths) { return thousandths / 1000.0; }
std::uint32_t thousandths(double inches) { return static_cast<std::uint32_t>(std::lround(inches * 1000.0)); }

}  // namespace

void SEdPageSetup::load(const CSettingsStore& store)
{
    for (auto [name, value] : fields(*this)) {
        if (const auto stored = store.readDword(kEditorSettingsKey, name))
            *value = *stored;
    }
}

void SEdPageSetup::save(CSettingsStore& store) const
{
    for (auto [name, value] : fields(*this))
        store.writeDword(kEditorSettingsKey, name, *value);
}

void SEdPageSetup::applyTo(QPrinter& printer) const
{
    if (width > 0 && height > 0)
        printer.setPageSize(QPageSize(QSizeF(inches(width), inches(height)), QPageSize::Inch));
    printer.setPageMargins(QMarginsF(inches(left), inches(top), inches(right), inches(bottom)), QPageLayout::Inch);
}

void SEdPageSetup::takeFrom(const QPrinter& printer)
{
    const QPageLayout layout = printer.pageLayout();
    const QSizeF paper = layout.pageSize().size(QPageSize::Inch);
    width = thousandths(paper.width());
    height = thousandths(paper.height());
    const QMarginsF margins = layout.margins(QPageLayout::Inch);
    left = thousandths(margins.left());
    right = thousandths(margins.right());
    top = thousandths(margins.top());
    bottom = thousandths(margins.bottom());
}

}  // namespace brindle
