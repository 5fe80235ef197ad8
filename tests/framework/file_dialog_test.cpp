// Filters of the file dialogs.
#include "framework/file_dialog.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

TEST(FileDialog, NameFiltersInQtForm)
{
    const struct {
        const char* name;
        QString filter;
        QString expected;
    } cases[] = {
        {"every file", QStringLiteral("All Files|*.*||"), QStringLiteral("All Files (*)")},
        {"two filters", QStringLiteral("Text|*.txt;*.log|All Files|*.*||"),
         QStringLiteral("Text (*.txt *.log);;All Files (*)")},
        {"none", QString(), QStringLiteral("*")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, qtNameFilters(c.filter));
    }
}

// Save As offers the template's filter; "*.*" there must not hide files without a dot.
TEST(FileDialog, TemplateFilterInListForm)
{
    const struct {
        const char* name;
        QString filterName;
        QString expected;
        QString qt;
    } cases[] = {
        {"all files", QStringLiteral("All Files (*.*)"), QStringLiteral("All Files|*.*||"),
         QStringLiteral("All Files (*)")},
        {"two patterns", QStringLiteral("Merge files (*.mrg;*.txt)"), QStringLiteral("Merge files|*.mrg;*.txt||"),
         QStringLiteral("Merge files (*.mrg *.txt)")},
        {"no patterns", QStringLiteral("Binary"), QString(), QStringLiteral("*")},
        {"empty", QString(), QString(), QStringLiteral("*")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, templateFilter(c.filterName));
        EXPECT_EQ(c.qt, qtNameFilters(templateFilter(c.filterName)));
    }
}

}  // namespace
}  // namespace brindle
