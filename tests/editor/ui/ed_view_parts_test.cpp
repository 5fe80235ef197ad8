// Tests of the text view's helpers: margin icons, fonts, page setup, remembered positions,
// printed pages.
#include "editor/ed_settings_names.h"
#include "editor/ed_text_buffer.h"
#include "editor/ui/ed_margin_icons.h"
#include "editor/ui/ed_page_setup.h"
#include "editor/ui/ed_remembered_pos.h"
#include "editor/ui/ed_text_view.h"
#include "editor/ui/ed_view_fonts.h"
#include "platform/memory_settings_store.h"
#include "support/temp_dir.h"

#include <QPrinter>
#include <gtest/gtest.h>

#include <vector>

namespace brindle {
namespace {

TEST(EdMarginIconTest, FirstFlagInOrderWins)
{
    struct SCase {
        std::uint32_t flags;
        int icon;
    };
    const SCase cases[] = {
        {0, -1},        {0x10000, 0},  {0x20000 | 0x80000, 1}, {0x40000 | 0x2, 2}, {0x2, 3}, {0x200, 11},
        {0x1, 12},      {0x80000, 13}, {0x100000, 14},         {0x2 | 0x80000, 3},  // bookmark 1 and the anonymous bookmark: bookmark 1 shows
        {0x1 | 0x4, 4},  // bookmark 0 comes after bookmarks 1..9
        {0x400, -1},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(marginIconOfFlags(c.flags), c.icon) << std::hex << c.flags;
    for (int i = 0; i < kMarginIconCount; ++i)
        EXPECT_EQ(marginIcon(i).size(), QSize(kMarginIconSize, kMarginIconSize)) << i;
}

TEST(EdViewFontsTest, CourierFacesAreNeverBoldOrItalic)
{
    struct SCase {
        const char* face;
        bool styled;
    };
    const SCase cases[] = {
        {"Courier New", false}, {"courier", false}, {"COURIER10", false}, {"DejaVu Sans Mono", true}};
    for (const SCase& c : cases) {
        CEdViewFonts fonts;
        fonts.setDescription(QString::fromLatin1(c.face), 0);
        const QFont& boldItalic = fonts.font(true, true);
        EXPECT_EQ(boldItalic.bold(), c.styled) << c.face;
        EXPECT_EQ(boldItalic.italic(), c.styled) << c.face;
        EXPECT_EQ(boldItalic.pointSize(), 11) << c.face;
        EXPECT_FALSE(fonts.font(false, false).bold()) << c.face;
    }
}

TEST(EdPageSetupTest, ValuesRoundTripAndMissingOnesKeepDefaults)
{
    CMemorySettingsStore store;
    SEdPageSetup defaults;
    defaults.load(store);
    EXPECT_EQ(defaults, SEdPageSetup{});
    EXPECT_EQ(defaults.left, 1000u);

    store.writeDword(kEditorSettingsKey, kPageTopValue, 250);
    SEdPageSetup partial;
    partial.load(store);
    EXPECT_EQ(partial.top, 250u);
    EXPECT_EQ(partial.bottom, 1000u);

    const SEdPageSetup saved{8500, 11000, 500, 750, 1000, 1250};
    saved.save(store);
    SEdPageSetup loaded;
    loaded.load(store);
    EXPECT_EQ(loaded, saved);

    // Through a printer and back (thousandths of an inch survive the conversion).
    QPrinter printer;
    saved.applyTo(printer);
    SEdPageSetup taken;
    taken.takeFrom(printer);
    EXPECT_EQ(taken, saved);
}

TEST(EdRememberedPosTest, TwelveBytesHoldCharacterAndLine)
{
    CMemorySettingsStore store;
    const std::u16string path = u"/home/user/merge.mrg";
    EXPECT_FALSE(readRememberedPos(store, path).has_value());
    writeRememberedPos(store, path, {7, 123456});
    const auto pos = readRememberedPos(store, path);
    ASSERT_TRUE(pos.has_value());
    EXPECT_EQ(*pos, (STextPos{7, 123456}));
    const auto bytes = store.readBinary(kRememberedPositionsKey, path);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 12u);

    const std::vector<std::uint8_t> shortValue(8, 0);
    store.writeBinary(kRememberedPositionsKey, path, shortValue);
    EXPECT_FALSE(readRememberedPos(store, path).has_value());
}

class CFooterRecorder : public CEdTextView {
public:
    QString PrintFooterText(int page, int pageCount) const override
    {
        footers.push_back(CEdTextView::PrintFooterText(page, pageCount));
        return footers.back();
    }
    mutable std::vector<QString> footers;
};

TEST(EdTextPrintTest, EveryPageCarriesItsNumberOfTheCount)
{
    test::CTempDir folder;
    CEdTextBuffer buffer;
    for (int i = 0; i < 400; ++i)
        buffer.AddLine(i % 50 == 0 ? std::u16string(500, u'x') : u"int x = 1; // printed");
    CFooterRecorder view;
    view.AttachToBuffer(&buffer);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((folder.path() / "out.pdf").string()));
    const int pages = view.PrintTo(printer);
    ASSERT_GT(pages, 1);
    ASSERT_EQ(static_cast<int>(view.footers.size()), pages);
    for (int page = 1; page <= pages; ++page)
        EXPECT_EQ(view.footers[static_cast<std::size_t>(page - 1)], QStringLiteral("Page %1/%2").arg(page).arg(pages));
}

}  // namespace
}  // namespace brindle
