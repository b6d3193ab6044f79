// Amounts in the main window are always numbers: typed texts out of range,
// and infinite or NaN amounts read from a list file.
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

#include "data/number_text.h"
#include "main_fixture.h"

namespace pantrium::testing {
namespace {

using script::Then;

constexpr float kMax = std::numeric_limits<float>::max();
constexpr float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();
const std::string kMaxUnits = "340282350000000000000000000000000000000.00";  // FLT_MAX in the mask

class MainAmounts : public MainWindowTest {
protected:
    // Every row, the units box and the status line show numbers only.
    void ExpectNoInfOrNaN() const {
        std::vector<std::string> texts = {UnitsText(), Status(2), Status(3)};
        for (int i = 0; i < plat::ListCount(ui.mainWindow, kItemList); ++i) texts.push_back(Row(i));
        for (const std::string& text : texts) {
            EXPECT_EQ(text.find("Inf"), std::string::npos) << text;
            EXPECT_EQ(text.find("NaN"), std::string::npos) << text;
        }
    }
    static std::string FileBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_F(MainAmounts, UnitsTypedOutOfRangeAreTheLargestAmount) {
    WriteStartList({{0, "Bread", "loaf", 0, 0, 0}, {0, "Milk", "gallon", 2, 1, kToBuy}});
    script::SelectRow(kItemList, 0);
    script::Focus(kUnitsBox);
    script::Type("1e39");
    Then([&] {
        EXPECT_EQ(RecordOfRow(1).unitsToBuy, kMax);
        EXPECT_EQ(Row(0), "\tx\tBread\tloaf\t\t" + kMaxUnits);  // price 0: no cost, not NaN
        EXPECT_EQ(Status(3), "Total cost: 2.00");
        ExpectNoInfOrNaN();
    });
    script::SelectRow(kItemList, 1);
    script::Focus(kUnitsBox);
    script::ClearEdit();
    script::Type("-1e39");
    Then([&] {
        EXPECT_EQ(RecordOfRow(2).unitsToBuy, -kMax);
        EXPECT_EQ(Row(1), "\tx\tMilk\tgallon\t\t-" + kMaxUnits + "\t-" + kMaxUnits);  // the cost clamped
        ExpectNoInfOrNaN();
    });
    script::ClearEdit();
    script::Type("1e39");  // the total of two largest costs stays the largest amount
    Then([&] {
        EXPECT_EQ(Status(3), "Total cost: " + kMaxUnits);
        ExpectNoInfOrNaN();
    });
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdSave);
    Quit();
    Run();
    ASSERT_EQ(LoadStartListAgain(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.records[1].unitsToBuy, kMax);  // saved as a number
    EXPECT_EQ(itemTable.records[2].unitsToBuy, kMax);
}

TEST_F(MainAmounts, FileAmountsThatAreNoNumbersCountAsAmountsAndStayInTheFile) {
    // Apples: NaN units; Bread: infinite units at price 0 (0 x inf); Cheese:
    // NaN price; Dates: an infinite price, not on the list.
    WriteStartList({{0, "Apples", "bag", 2, kNaN, kToBuy},
                    {0, "Bread", "loaf", 0, kInf, kToBuy},
                    {0, "Cheese", "block", kNaN, 2, kToBuy},
                    {0, "Dates", "box", kInf, 0, 0}});
    const std::string before = FileBytes("my Pantrium.ptm");
    Then([&] {
        EXPECT_EQ(Row(0), "\tx\tApples\tbag\t");  // NaN units count as 0
        EXPECT_EQ(Row(1), "\tx\tBread\tloaf\t\t" + kMaxUnits);
        EXPECT_EQ(Row(2), "\tx\tCheese\tblock\t\t2.00");  // NaN price: no cost
        EXPECT_EQ(Status(2), "Items to buy:  3");
        EXPECT_EQ(Status(3), "Total cost: .00");
        ExpectNoInfOrNaN();
    });
    script::SelectRow(kItemList, 1);
    Then([&] {
        EXPECT_EQ(UnitsText(), kMaxUnits);
        ExpectNoInfOrNaN();
    });
    // The editor shows the infinite price as the largest amount.
    script::SelectRow(kItemList, 3);
    script::ChooseMenu(kCmdChangeItem);
    Then([&] { EXPECT_EQ(plat::GetText(script::ActiveDialog(), 203), std::string(" ").append(kMaxUnits, 0, 39)); });
    script::Click(2);
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdSave);
    Then([before] { EXPECT_EQ(FileBytes("my Pantrium.ptm"), before); });  // nothing was changed
    // Toggling Bread off and on again gives it one unit; the others keep their bytes.
    script::SelectRow(kItemList, 1);
    script::Press(plat::kVkReturn);
    script::Focus(kItemList);
    script::Press(plat::kVkReturn);
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdSave);
    Quit();
    Run();
    ASSERT_EQ(LoadStartListAgain(), LoadResult::Loaded);
    EXPECT_TRUE(std::isnan(itemTable.records[1].unitsToBuy));
    EXPECT_EQ(itemTable.records[2].unitsToBuy, 1);
    EXPECT_TRUE(std::isnan(itemTable.records[3].pricePerUnit));
    EXPECT_EQ(itemTable.records[4].pricePerUnit, kInf);
}

TEST_F(MainAmounts, UnitsCostAndTotalAgree) {
    // 2.675 and 1.005 are held just below the half cent; they show as typed.
    WriteStartList({{0, "Olives", "jar", 1, 2.675f, kToBuy},
                    {0, "Pepper", "tin", 1, 1.005f, kToBuy},
                    {0, "Rice", "sack", 12345678, 1, 0},
                    {0, "Salt", "box", 16777216, 0, 0}});
    Then([&] {
        EXPECT_EQ(Row(0), "\tx\tOlives\tjar\t\t2.68\t2.68");
        EXPECT_EQ(Row(1), "\tx\tPepper\ttin\t\t1.01\t1.01");
        EXPECT_EQ(Status(3), "Total cost: 3.68");  // 2.675 + 1.005
    });
    script::SelectRow(kItemList, 0);
    Then([&] { EXPECT_EQ(UnitsText(), "2.68"); });  // the money mask, as in the row
    // Large prices keep every digit: in the row, the total and the editor.
    script::SelectRow(kItemList, 2);
    script::ChooseMenu(kCmdBuy);
    Then([&] {
        EXPECT_EQ(Row(2), "\tx\tRice\tsack\t\t1.00\t12345678.00");
        EXPECT_EQ(Status(3), "Total cost: 12345681.68");
    });
    script::ChooseMenu(kCmdChangeItem);
    Then([&] { EXPECT_EQ(plat::GetText(script::ActiveDialog(), 203), " 12345678"); });
    script::Click(1);  // stored again from the box: the price stays
    script::SelectRow(kItemList, 3);
    script::ChooseMenu(kCmdChangeItem);
    Then([&] { EXPECT_EQ(plat::GetText(script::ActiveDialog(), 203), " 16777216"); });
    script::Click(1);
    Then([&] {
        for (int r = 1; r <= itemTable.itemCount; ++r) {
            const ItemRecord& rec = RecordOfRow(r);
            const std::string name = TrimmedField(rec.itemName);
            if (name == "Rice" || name == "Salt") {
                EXPECT_EQ(rec.pricePerUnit, name == "Rice" ? 12345678.0f : 16777216.0f);
            }
        }
    });
    Quit();
    Run();
}

}  // namespace
}  // namespace pantrium::testing
