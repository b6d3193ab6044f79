// The printed list's page layout, checked on the headless printer: 600 dpi,
// starting font "Courier New" 12 pt of 60 x 100 dots (66 lines per page, so
// a page limit of 62), "MS Sans Serif" 11 pt lines of 91 dots.
#include "print/printed_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "data/item_record.h"
#include "data/number_text.h"
#include "print_test_support.h"

namespace pantrium::test {
namespace {

using Op = headless::PrinterOp;

constexpr int kCw = 60, kCh = 100, kLine = 91;
constexpr int kFirstY = 2 * kCh + kLine + kLine;  // heading line, then the item font's line
int Inch(double inches) { return static_cast<int>(600 * inches); }

std::string Field(const std::string& text) { return text + std::string(20 - text.size(), ' '); }

class PrintedListTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        StartTable({"dairy", "produce"});
    }
    void Print(int onlyToBuy) {
        headless::AnswerPrinterDialog(true);
        PrintList(onlyToBuy);
    }
    // texts printed in one column (by x), in order
    static std::vector<PrintedText> Column(int x) {
        std::vector<PrintedText> out;
        for (const PrintedText& t : PrintedTexts())
            if (t.x == x) out.push_back(t);
        return out;
    }
    static std::vector<int> YsOf(const std::vector<PrintedText>& texts) {
        std::vector<int> ys;
        for (const PrintedText& t : texts) ys.push_back(t.y);
        return ys;
    }
};

TEST_F(PrintedListTest, CancelledDialogPrintsNothingAndAnEmptyTableOnlyOpensTheJob) {
    AddRecord(1, "Milk", "gallon", 3, 1, true);
    headless::AnswerPrinterDialog(false);
    PrintList(1);
    EXPECT_TRUE(headless::PrinterOps().empty());

    StartTable({});
    Print(0);
    const auto& ops = headless::PrinterOps();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].kind, Op::Open);
    EXPECT_EQ(ops[0].text, "Print job");
    EXPECT_EQ(ops[1].kind, Op::Close);
}

TEST_F(PrintedListTest, HeadingFontsAndColumnPositions) {
    AddRecord(1, "Milk", "gallon", 3, 1, true);
    Print(0);
    const auto& ops = headless::PrinterOps();
    ASSERT_GE(ops.size(), 2u);
    EXPECT_EQ(ops[1].kind, Op::SetFont);
    EXPECT_EQ(ops[1].text, "MS Sans Serif");
    EXPECT_EQ(ops[1].points, 11);
    EXPECT_EQ(ops[1].style, 5);  // bold, underlined

    const std::vector<PrintedText> texts = PrintedTexts();
    ASSERT_GE(texts.size(), 6u);
    const std::vector<PrintedText> heading(texts.begin(), texts.begin() + 6);
    const std::vector<PrintedText> expected = {
        {Inch(0.5) + 2 * kCw, 2 * kCh, "Catg"},   {Inch(2.0) + 2 * kCw, 2 * kCh, "Item"},
        {Inch(3.5) + 2 * kCw, 2 * kCh, "Unit Descr"}, {Inch(5.0), 2 * kCh, "Last Buy"},
        {Inch(6.5) - 5 * kCw, 2 * kCh, "Units"},   {Inch(7.5) - 5 * kCw, 2 * kCh, "Cost"},
    };
    EXPECT_EQ(heading, expected);

    // the item font follows the heading, and the job ends with Close
    const auto itemFont = std::find_if(ops.begin() + 2, ops.end(),
                                       [](const Op& op) { return op.kind == Op::SetFont; });
    ASSERT_NE(itemFont, ops.end());
    EXPECT_EQ(itemFont->points, 11);
    EXPECT_EQ(itemFont->style, 0);
    EXPECT_EQ(ops.back().kind, Op::Close);
    EXPECT_EQ(CountOps(Op::Close), 1);
}

TEST_F(PrintedListTest, ItemLineColumnsAndRightAlignedAmounts) {
    AddRecord(1, "Milk", "gallon", 3.5f, 2, true, Date(15, 3, 2026));
    Print(0);
    const std::vector<PrintedText> texts = PrintedTexts();
    ASSERT_EQ(texts.size(), 12u);
    const std::vector<PrintedText> line(texts.begin() + 6, texts.end());
    const std::vector<PrintedText> expected = {
        {Inch(0.5), kFirstY, "dairy"},
        {Inch(2.0), kFirstY, Field("Milk")},  // all 20 bytes of the fields
        {Inch(3.5), kFirstY, Field("gallon")},
        {Inch(5.0), kFirstY, "03-15-26"},
        {Inch(6.5) - 4 * kCw, kFirstY, "2.00"},
        {Inch(7.5) - 4 * kCw, kFirstY, "7.00"},
    };
    EXPECT_EQ(line, expected);
    EXPECT_FALSE(itemTable.modified);
}

TEST_F(PrintedListTest, AmountColumnsStayEmptyForZeroUnitsOrZeroCost) {
    AddRecord(1, "Bread", "loaf", 2, 0, false);      // no units: neither column
    AddRecord(1, "Salt", "box", 0, 2, false);        // units, no cost
    AddRecord(2, "Herbs", "bunch", 1.5f, 0.5f, false);  // .50 right-aligned, cost .75
    Print(0);
    EXPECT_EQ(Column(Inch(6.5) - 4 * kCw),
              (std::vector<PrintedText>{{Inch(6.5) - 4 * kCw, kFirstY + kLine, "2.00"}}));
    EXPECT_EQ(Column(Inch(6.5) - 3 * kCw),
              (std::vector<PrintedText>{{Inch(6.5) - 3 * kCw, kFirstY + 2 * kLine, ".50"}}));
    EXPECT_EQ(Column(Inch(7.5) - 3 * kCw),
              (std::vector<PrintedText>{{Inch(7.5) - 3 * kCw, kFirstY + 2 * kLine, ".75"}}));
    EXPECT_EQ(PrintedTexts().size(), 6u + 4 + 4 + 6);  // heading, then the three lines
    // no purchase yet: an empty last-buy text
    EXPECT_EQ(Column(Inch(5.0))[1].text, "");
}

// Paper shows what the screen shows: units and cost from the amounts as typed.
// 2.675 is held just below the half cent and prints 2.68 as units and as its
// cost at price 1; 0.335 x 3 is 1.005 and prints 1.01; large amounts keep
// every digit.
TEST_F(PrintedListTest, UnitsAndCostAgreeWithTheItemList) {
    AddRecord(1, "Olives", "jar", 1, 2.675f, true);
    AddRecord(1, "Pepper", "tin", 0.335f, 3, true);
    AddRecord(1, "Rice", "sack", 16777216, 1, true);
    AddRecord(1, "Salt", "box", 1, 12345678, true);
    Print(1);
    const std::vector<PrintedText> units = Column(Inch(6.5) - 4 * kCw), cost = Column(Inch(7.5) - 4 * kCw);
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units[0].text, "2.68");
    EXPECT_EQ(units[1].text, "3.00");
    EXPECT_EQ(units[2].text, "1.00");  // Rice
    ASSERT_EQ(cost.size(), 2u);
    EXPECT_EQ(cost[0].text, "2.68");
    EXPECT_EQ(cost[1].text, "1.01");
    EXPECT_EQ(Column(Inch(7.5) - 11 * kCw).at(0).text, "16777216.00");
    EXPECT_EQ(Column(Inch(6.5) - 11 * kCw).at(0).text, "12345678.00");
    EXPECT_EQ(Column(Inch(7.5) - 11 * kCw).at(1).text, "12345678.00");
}

TEST_F(PrintedListTest, AmountsThatAreNoNumbersPrintAsNumbers) {
    const float inf = std::numeric_limits<float>::infinity();
    AddRecord(1, "Bread", "loaf", 2, std::numeric_limits<float>::quiet_NaN(), false);  // counts as 0
    AddRecord(1, "Salt", "box", 0, inf, false);  // 0 x inf: no cost
    AddRecord(2, "Herbs", "bunch", 2, inf, false);
    Print(0);
    // The largest amount, and the largest cost at price 2, both clamped: the same digits.
    const std::string largest = "340282350000000000000000000000000000000.00";
    int largestCount = 0;
    for (const PrintedText& t : PrintedTexts()) {
        EXPECT_EQ(t.text.find("Inf"), std::string::npos) << t.text;
        EXPECT_EQ(t.text.find("NaN"), std::string::npos) << t.text;
        largestCount += t.text == largest;
    }
    EXPECT_EQ(largestCount, 3);  // Salt's and Herbs' units, Herbs' cost
    EXPECT_EQ(PrintedTexts().size(), 6u + 4 + 4 + 6);  // heading; Bread without amounts; Salt without cost
}

TEST_F(PrintedListTest, CategoryOnlyOnTheFirstLineOfARun) {
    AddRecord(0, "Candles", "pack", 1, 0, false);  // no category: nothing printed
    AddRecord(1, "Milk", "gallon", 1, 0, false);
    AddRecord(1, "Butter", "pound", 1, 0, false);
    AddRecord(2, "Apples", "pound", 1, 0, false);
    AddRecord(1, "Cream", "pint", 1, 0, false);
    Print(0);
    const std::vector<PrintedText> expected = {
        {Inch(0.5), kFirstY + 1 * kLine, "dairy"},
        {Inch(0.5), kFirstY + 3 * kLine, "produce"},
        {Inch(0.5), kFirstY + 4 * kLine, "dairy"},
    };
    EXPECT_EQ(Column(Inch(0.5)), expected);
}

TEST_F(PrintedListTest, LineStepsFollowTheModeAndRowOrder) {
    AddRecord(1, "Milk", "gallon", 1, 1, true);
    AddRecord(1, "Butter", "pound", 1, 0, false);
    AddRecord(2, "Apples", "pound", 1, 1, true);
    AddRecord(2, "Pears", "pound", 1, 1, true);
    std::reverse(itemTable.rowOrder.begin() + 1, itemTable.rowOrder.end());

    Print(0);
    std::vector<PrintedText> names = Column(Inch(2.0));
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[0].text, Field("Pears"));
    EXPECT_EQ(names[3].text, Field("Milk"));
    EXPECT_EQ(YsOf(names), (std::vector<int>{kFirstY, kFirstY + kLine, kFirstY + 2 * kLine,
                                             kFirstY + 3 * kLine}));

    headless::Reset();
    Print(1);  // only the marked items, a blank line between them
    names = Column(Inch(2.0));
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[2].text, Field("Milk"));
    EXPECT_EQ(YsOf(names),
              (std::vector<int>{kFirstY, kFirstY + 2 * kLine, kFirstY + 4 * kLine}));
}

TEST_F(PrintedListTest, ShoppingListWithNothingMarkedPrintsOnlyTheHeading) {
    AddRecord(1, "Milk", "gallon", 1, 1, false);
    AddRecord(2, "Apples", "pound", 1, 1, false);
    Print(1);
    const std::vector<PrintedText> texts = PrintedTexts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0].text, "Catg");
    EXPECT_EQ(texts[5].text, "Cost");
    EXPECT_EQ(CountOps(Op::NewPage), 0);
}

// Page limit 62: the whole table fills 60 items per page (line count 2 + 60),
// the shopping list 30 (2 + 2 x 30).
TEST_F(PrintedListTest, NewPageRepeatsHeadingAndCategory) {
    for (int i = 0; i < 61; ++i) AddRecord(1, "Item " + std::to_string(i), "each", 1, 1, true);
    Print(0);
    const auto& ops = headless::PrinterOps();
    ASSERT_EQ(CountOps(Op::NewPage), 1);
    const auto page = std::find_if(ops.begin(), ops.end(),
                                   [](const Op& op) { return op.kind == Op::NewPage; });
    // the break comes right after the 60th item's line
    const auto before = std::find_if(std::make_reverse_iterator(page), ops.rend(),
                                     [](const Op& op) { return op.kind == Op::Text; });
    ASSERT_NE(before, ops.rend());
    EXPECT_EQ(before->y, kFirstY + 59 * kLine);

    const std::vector<PrintedText> categories = Column(Inch(0.5));
    ASSERT_EQ(categories.size(), 2u);
    EXPECT_EQ(categories[1].y, kFirstY);  // first line of the new page
    EXPECT_EQ(Column(Inch(0.5) + 2 * kCw).size(), 2u);  // "Catg" on both pages
    EXPECT_EQ(Column(Inch(2.0)).back().text, Field("Item 60"));
    EXPECT_EQ(Column(Inch(2.0)).back().y, kFirstY);
}

TEST_F(PrintedListTest, NoEmptyPageAfterTheLastPrintedItem) {
    for (int i = 0; i < 60; ++i) AddRecord(1, "Item " + std::to_string(i), "each", 1, 1, true);
    Print(0);  // exactly one full page
    EXPECT_EQ(CountOps(Op::NewPage), 0);

    // shopping list: 30 marked items fill the page; the unmarked rows after
    // them must not start a page that would carry only the heading
    for (int r = 31; r <= 60; ++r) itemTable.RecordOfRow(r).SetFlag(kToBuy, false);
    headless::Reset();
    Print(1);
    EXPECT_EQ(CountOps(Op::NewPage), 0);
    EXPECT_EQ(Column(Inch(2.0)).size(), 30u);

    itemTable.RecordOfRow(60).SetFlag(kToBuy, true);
    headless::Reset();
    Print(1);
    ASSERT_EQ(CountOps(Op::NewPage), 1);
    EXPECT_EQ(Column(Inch(2.0)).back().y, kFirstY);
    EXPECT_EQ(Column(Inch(5.0)).size(), 2u + 31u);  // "Last Buy" twice, 31 items
}

}  // namespace
}  // namespace pantrium::test
