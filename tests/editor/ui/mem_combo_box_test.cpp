// Tests for the remembering drop-down list: order, duplicates, and one history shared by lists.
#include "editor/ui/mem_combo_box.h"

#include "editor/ed_history_table.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace brindle {
namespace {

QStringList itemsOf(const QComboBox& box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

TEST(MemComboBox, RemembersNewestFirstWithoutDuplicatesAcrossLists)
{
    CEdHistoryTable::instance().clear();
    CMemComboBox first;
    first.setHistoryName("FindText");
    for (const char* text : {"alpha", "beta", "alpha", ""}) {
        first.setEditText(text);
        first.remember();
    }
    EXPECT_EQ(itemsOf(first), (QStringList{"alpha", "beta"}));
    EXPECT_EQ(first.currentText(), "");

    CMemComboBox second;
    second.setEditText("typed");
    second.setHistoryName("FindText");
    EXPECT_EQ(itemsOf(second), (QStringList{"alpha", "beta"}));
    EXPECT_EQ(second.currentText(), "typed");
    EXPECT_EQ(CEdHistoryTable::instance().text(u"FindText"), u"alpha\nbeta");

    CMemComboBox other;
    other.setHistoryName("ReplaceText");
    EXPECT_EQ(other.count(), 0);
    CEdHistoryTable::instance().clear();
}

}  // namespace
}  // namespace brindle
