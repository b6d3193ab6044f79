// The printed list's page layout, checked on the headless printer: 600 dpi,
// starting font "Courier New" 12 pt of 60 x 100 dots (66 lines per page, so
// a page limit of 62), "MS Sans Serif" 11 pt lines of 91 dots.
#include "print/printed_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "data/dates.h"
#include "data/item_record.h"
#include "data/number_text.h"
#include "platform/window/headless/headless_metrics.h"
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
        itemTable.listPath = "my Pantrium.ptm";
        todayOverride = "03-07-2024";
    }
    void TearDown() override {
        todayOverride.clear();
        HeadlessTest::TearDown();
    }
    void Print(int onlyToBuy) {
        headless::AnswerPrinterDialog(true);
        PrintList(onlyToBuy);
    }
    // texts printed in one column (by x), in order, below the title line
    static std::vector<PrintedText> Column(int x) {
        std::vector<PrintedText> out;
        for (const PrintedText& t : PrintedTexts())
            if (t.x == x && t.y > 0) out.push_back(t);
        return out;
    }
    // the title lines of the pages, in order
    static std::vector<PrintedText> TitleLine() {
        std::vector<PrintedText> out;
        for (const PrintedText& t : PrintedTexts())
            if (t.y == 0) out.push_back(t);
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
    EXPECT_EQ(ops[1].kind, Op::SetFont);  // before anything is printed
    // The fonts in order: the title line's, the headings', the items', the count's.
    std::vector<Op> fonts;
    for (const Op& op : ops)
        if (op.kind == Op::SetFont) fonts.push_back(op);
    ASSERT_EQ(fonts.size(), 4u);
    for (const Op& font : fonts) EXPECT_EQ(font.text, "MS Sans Serif");
    EXPECT_EQ(fonts[0].points, 12);
    EXPECT_EQ(fonts[0].style, 1);  // bold
    EXPECT_EQ(fonts[1].points, 11);
    EXPECT_EQ(fonts[1].style, 5);  // bold, underlined
    EXPECT_EQ(fonts[2].points, 11);
    EXPECT_EQ(fonts[2].style, 0);
    EXPECT_EQ(fonts[3].points, 11);
    EXPECT_EQ(fonts[3].style, 1);

    const std::vector<PrintedText> texts = PrintedTexts();
    ASSERT_GE(texts.size(), 7u);
    const std::vector<PrintedText> heading(texts.begin() + 1, texts.begin() + 7);
    const std::vector<PrintedText> expected = {
        {Inch(0.5) + 2 * kCw, 2 * kCh, "Catg"},   {Inch(2.0) + 2 * kCw, 2 * kCh, "Item"},
        {Inch(3.5) + 2 * kCw, 2 * kCh, "Unit Descr"}, {Inch(5.0), 2 * kCh, "Last Buy"},
        {Inch(6.5) - 5 * kCw, 2 * kCh, "Units"},   {Inch(7.5) - 5 * kCw, 2 * kCh, "Cost"},
    };
    EXPECT_EQ(heading, expected);

    // the job ends with Close
    EXPECT_EQ(ops.back().kind, Op::Close);
    EXPECT_EQ(CountOps(Op::Close), 1);
}

TEST_F(PrintedListTest, ItemLineColumnsAndRightAlignedAmounts) {
    AddRecord(1, "Milk", "gallon", 3.5f, 2, true, Date(15, 3, 2026));
    Print(0);
    const std::vector<PrintedText> texts = PrintedTexts();
    ASSERT_EQ(texts.size(), 1u + 6 + 6 + 1);  // title, heading, the line, the count
    const std::vector<PrintedText> line(texts.begin() + 7, texts.end() - 1);
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
    EXPECT_EQ(PrintedTexts().size(), 1u + 6 + 4 + 4 + 6 + 1);  // title, heading, the three lines, count
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
    EXPECT_EQ(PrintedTexts().size(), 1u + 6 + 4 + 4 + 6 + 1);  // title; heading; Bread without amounts; Salt without cost; count
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
        {Inch(0.5), kFirstY + 6 * kLine, "Items: 5"},  // a blank line below the last item
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
    ASSERT_EQ(texts.size(), 1u + 6 + 3);
    EXPECT_EQ(texts[0].text, "my Pantrium: shopping list, printed 03-07-2024");
    EXPECT_EQ(texts[1].text, "Catg");
    EXPECT_EQ(texts[6].text, "Cost");
    EXPECT_EQ(texts[7], (PrintedText{Inch(0.5), kFirstY, "Items to buy: 0"}));
    EXPECT_EQ(texts[9], (PrintedText{Inch(7.5) - 3 * kCw, kFirstY, ".00"}));
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
    ASSERT_EQ(categories.size(), 3u);
    EXPECT_EQ(categories[1].y, kFirstY);  // first line of the new page
    EXPECT_EQ(categories[2], (PrintedText{Inch(0.5), kFirstY + 2 * kLine, "Items: 61"}));
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
    EXPECT_EQ(Column(Inch(5.0)).size(), 2u + 31u + 1);  // "Last Buy" twice, 31 items, "Total cost:"
}

// The title line names the list (its file name without folder and
// extension), what is printed and the date it is printed on.
TEST_F(PrintedListTest, TitleNamesTheListWhatIsPrintedAndTheDate) {
    AddRecord(1, "Milk", "gallon", 3, 1, true);
    Print(1);
    EXPECT_EQ(TitleLine(), (std::vector<PrintedText>{
                               {Inch(0.5), 0, "my Pantrium: shopping list, printed 03-07-2024"}}));

    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"C:\\Lists.old\\home.ptm", "home: all items, printed 12-31-2099"},
        {"/home/me/lists/weekly.shop.ptm", "weekly.shop: all items, printed 12-31-2099"},
        {"", "Pantrium: all items, printed 12-31-2099"},  // a list never saved
    };
    todayOverride = "12-31-2099";
    for (const auto& c : cases) {
        itemTable.listPath = c.path;
        headless::Reset();
        Print(0);
        EXPECT_EQ(TitleLine(), (std::vector<PrintedText>{{Inch(0.5), 0, c.title}})) << c.path;
    }
    todayOverride.clear();  // the system clock's date
    headless::Reset();
    Print(0);
    EXPECT_EQ(TitleLine().at(0).text, "Pantrium: all items, printed " + TodayText());
}

// The shopping list ends with the count of the items to buy and their total
// cost, the figures of the status line; the whole table with its item count.
TEST_F(PrintedListTest, ListEndsWithItsCountAndTotal) {
    AddRecord(1, "Milk", "gallon", 3.49f, 2, true);
    AddRecord(1, "Butter", "pound", 4, 1, false);
    AddRecord(2, "Apples", "pound", 1.25f, 3, true);
    AddRecord(2, "Pears", "pound", 0, 1, true);  // no price: counted, costs nothing
    Print(1);
    const std::vector<PrintedText> texts = PrintedTexts();
    ASSERT_GE(texts.size(), 3u);
    const int y = kFirstY + 3 * 2 * kLine;  // below the third item's line and its blank line
    const std::vector<PrintedText> end(texts.end() - 3, texts.end());
    EXPECT_EQ(end, (std::vector<PrintedText>{{Inch(0.5), y, "Items to buy: 3"},
                                             {Inch(5.0), y, "Total cost:"},
                                             {Inch(7.5) - 5 * kCw, y, "10.73"}}));
    const ShoppingTotals totals = CountShoppingList();
    EXPECT_EQ(totals.itemsToBuy, 3);
    EXPECT_EQ(MoneyMask(totals.totalCost), "10.73");
    // in bold, after the item lines' font
    const auto& ops = headless::PrinterOps();
    const auto lastFont = std::find_if(ops.rbegin(), ops.rend(), [](const Op& op) { return op.kind == Op::SetFont; });
    ASSERT_NE(lastFont, ops.rend());
    EXPECT_EQ(lastFont->style, 1);
    EXPECT_EQ(lastFont->points, 11);

    headless::Reset();
    Print(0);
    EXPECT_EQ(PrintedTexts().back(), (PrintedText{Inch(0.5), kFirstY + 5 * kLine, "Items: 4"}));
    EXPECT_EQ(Column(Inch(5.0)).size(), 1u + 4);  // "Last Buy" and the items: no total
}

// With more than one page every title line carries "Page n of m" against the
// right edge of the cost column; a single page carries none.
TEST_F(PrintedListTest, PageNumbersWhenTheListRunsOverOnePage) {
    for (int i = 0; i < 130; ++i) AddRecord(1, "Item " + std::to_string(i), "each", 1, 1, i % 2 == 0);
    Print(0);  // 60 items a page: three pages
    ASSERT_EQ(CountOps(Op::NewPage), 2);
    const std::string title = "my Pantrium: all items, printed 03-07-2024";
    const int right = Inch(7.5) - 11 * kCw;
    EXPECT_EQ(TitleLine(), (std::vector<PrintedText>{{Inch(0.5), 0, title}, {right, 0, "Page 1 of 3"},
                                                     {Inch(0.5), 0, title}, {right, 0, "Page 2 of 3"},
                                                     {Inch(0.5), 0, title}, {right, 0, "Page 3 of 3"}}));
    // each page number before the page's first item
    const std::vector<PrintedText> texts = PrintedTexts();
    const auto page2 = std::find(texts.begin(), texts.end(), PrintedText{right, 0, "Page 2 of 3"});
    ASSERT_NE(page2, texts.end());
    const auto item60 = std::find_if(texts.begin(), texts.end(),
                                     [](const PrintedText& t) { return t.text == Field("Item 60"); });
    const auto item59 = std::find_if(texts.begin(), texts.end(),
                                     [](const PrintedText& t) { return t.text == Field("Item 59"); });
    EXPECT_LT(item59, page2);
    EXPECT_LT(page2, item60);

    headless::Reset();
    Print(1);  // 65 marked items, 30 a page: three pages
    EXPECT_EQ(CountOps(Op::NewPage), 2);
    EXPECT_EQ(TitleLine().back().text, "Page 3 of 3");

    // 30 marked items fill one page exactly: no page number
    headless::Reset();
    for (int r = 1; r <= 130; ++r) itemTable.RecordOfRow(r).SetFlag(kToBuy, r <= 30);
    Print(1);
    EXPECT_EQ(CountOps(Op::NewPage), 0);
    EXPECT_EQ(TitleLine().size(), 1u);
}

// A full page leaves room for the count and total below its last item.
TEST_F(PrintedListTest, TheEndOfAFullPageStaysOnThePage) {
    for (int i = 0; i < 60; ++i) AddRecord(1, "Item " + std::to_string(i), "each", 1, 1, true);
    Print(0);
    ASSERT_EQ(CountOps(Op::NewPage), 0);
    EXPECT_LE(PrintedTexts().back().y + kLine, headless::metrics::kPrintableHeight);
    for (int r = 31; r <= 60; ++r) itemTable.RecordOfRow(r).SetFlag(kToBuy, false);
    headless::Reset();
    Print(1);
    ASSERT_EQ(CountOps(Op::NewPage), 0);
    EXPECT_LE(PrintedTexts().back().y + kLine, headless::metrics::kPrintableHeight);
}

}  // namespace
}  // namespace pantrium::test
