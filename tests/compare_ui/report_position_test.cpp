// The file position of a report line: the line of a file (text) or the byte offset (binary) that a
// double click in a report pane stands for, read from the section items.
#include "compare_ui/report_position.h"

#include "platform/utf8.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace brindle {
namespace {

struct SItem {
    const char* label;
    std::int32_t reportLine;
};

struct SPositionCase {
    const char* name;
    std::vector<SItem> items;
    std::int64_t line;  // counted from 1
    int side;
    bool binary;
    std::int64_t expected;
};

class ReportLinePosition : public testing::TestWithParam<SPositionCase> {};

TEST_P(ReportLinePosition, IsThePlaceInTheFile)
{
    std::vector<SSectionItem> items;
    for (const SItem& item : GetParam().items)
        items.push_back({u16(item.label), kImageCommon, item.reportLine});
    EXPECT_EQ(GetParam().expected, reportLinePosition(items, GetParam().line, GetParam().side, GetParam().binary));
}

// A text report as the report builder makes it (reportLine counted from 0): lines 1-3 common,
// line 4 of file 1 changed into lines 4-6 of file 2, lines 5-6 of file 1 deleted, lines 7-9
// common. Every line of a text report maps to the number of its line in the file (from 1, as the
// pane shows it); a line beside missing lines to the line before the gap, a line of a one-line
// group to that line.
const std::vector<SItem> kText{{"1-3;1-3", 0}, {"4;4-6", 3}, {"5-6;missing", 6}, {"7-9;7-9", 8}};

INSTANTIATE_TEST_SUITE_P(
    Text, ReportLinePosition,
    testing::Values(SPositionCase{"first_line", kText, 1, 1, false, 1},
                    SPositionCase{"inside_a_range_file1", kText, 3, 1, false, 3},
                    SPositionCase{"inside_a_range_file2", kText, 3, 2, false, 3},
                    SPositionCase{"single_number", kText, 4, 1, false, 4},
                    SPositionCase{"single_number_on_every_line_of_its_group", kText, 5, 1, false, 4},
                    SPositionCase{"range_beside_a_single_number", kText, 5, 2, false, 5},
                    SPositionCase{"deleted_lines_file1", kText, 7, 1, false, 5},
                    SPositionCase{"missing_gives_the_end_of_the_last_range", kText, 7, 2, false, 6},
                    SPositionCase{"after_a_missing_part", kText, 10, 2, false, 8},
                    SPositionCase{"past_the_last_line_counts_on", kText, 13, 1, false, 11},
                    SPositionCase{"any_side_but_1_is_file2", kText, 10, 0, false, 8}),
    test::SCaseName());

INSTANTIATE_TEST_SUITE_P(
    TextEdges, ReportLinePosition,
    testing::Values(
        // Sections that start below the first report line: the line number itself, minus 1.
        SPositionCase{"above_the_first_section", {{"10-20;10-20", 4}}, 3, 1, false, 2},
        SPositionCase{"above_the_first_section_line_1", {{"10-20;10-20", 4}}, 1, 2, false, 0},
        SPositionCase{"first_line_of_a_later_section", {{"10-20;10-20", 4}}, 5, 1, false, 10},
        SPositionCase{"no_sections", {}, 7, 1, false, 6},
        // A 0 takes the number remembered last: the end of a range or the last single number.
        SPositionCase{"zero_after_a_range", {{"1-5;1-5", 0}, {"0;6", 5}}, 6, 1, false, 5},
        SPositionCase{"zero_after_a_single_number", {{"3;3", 0}, {"0;4", 1}}, 2, 1, false, 3},
        SPositionCase{"zero_before_any_number", {{"0;1", 0}}, 1, 1, false, 0},
        SPositionCase{"missing_before_any_number", {{"missing;1-2", 0}}, 1, 1, false, 0},
        SPositionCase{"missing_does_not_forget", {{"4;4", 0}, {"missing;5", 1}, {"missing;6", 2}}, 3, 1, false, 4},
        SPositionCase{"translated_missing_with_a_dash", {{"1-2;1-2", 0}, {"fehl-t;3", 2}}, 3, 1, false, 2},
        SPositionCase{"label_without_semicolon_used_whole", {{"5-9", 0}}, 2, 2, false, 6},
        SPositionCase{"label_without_semicolon_single", {{"8", 0}}, 1, 1, false, 8},
        SPositionCase{"absurd_number_does_not_overflow", {{"99999999999999999999999;1", 0}}, 1, 1, false, 2147483647}),
    test::SCaseName());

// A binary report: 16 bytes per report line; the first line of a section is reportLine + 1.
const std::vector<SItem> kBinary{{"0-31;0-31", 0}, {"32-47;32-63", 2}, {"48-95;missing", 4}};

INSTANTIATE_TEST_SUITE_P(
    Binary, ReportLinePosition,
    testing::Values(SPositionCase{"first_byte", kBinary, 1, 1, true, 0},
                    SPositionCase{"second_row", kBinary, 2, 2, true, 16},
                    SPositionCase{"first_row_of_a_later_section", kBinary, 3, 1, true, 32},
                    SPositionCase{"rows_count_on_past_the_range", kBinary, 4, 1, true, 48},
                    SPositionCase{"file2_range", kBinary, 4, 2, true, 48},
                    SPositionCase{"missing_gives_the_end_of_the_last_range", kBinary, 6, 2, true, 63},
                    SPositionCase{"file1_beside_missing", kBinary, 6, 1, true, 64},
                    SPositionCase{
                        "above_the_first_section_is_the_line_itself", {{"100-199;100-199", 3}}, 2, 1, true, 2},
                    SPositionCase{"row_of_the_start_line_is_still_above", {{"100-199;100-199", 3}}, 3, 1, true, 3},
                    SPositionCase{"no_sections", {}, 5, 2, true, 5}),
    test::SCaseName());

// Offsets of files larger than 4 GiB were cut to 2^31 - 1, the cap meant for line numbers.
const std::vector<SItem> kBinaryAbove4GiB{{"0-4294967295;0-4294967295", 0},
                                          {"4294967296-4294967327;missing", 268435456}};

INSTANTIATE_TEST_SUITE_P(
    BinaryLarge, ReportLinePosition,
    testing::Values(
        SPositionCase{"offset_above_4_GiB", kBinaryAbove4GiB, 268435458, 1, true, 4294967312},
        SPositionCase{"file2_beside_missing_above_4_GiB", kBinaryAbove4GiB, 268435458, 2, true, 4294967295},
        SPositionCase{
            "absurd_offset_does_not_overflow", {{"99999999999999999999999;1", 0}}, 1, 1, true, std::int64_t{1} << 62}),
    test::SCaseName());

}  // namespace
}  // namespace brindle
