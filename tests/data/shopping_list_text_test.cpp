// The shopping list as text: worked lists compared in full, plain and Markdown.
#include "data/shopping_list_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/item_record.h"
#include "test_support.h"

namespace pantrium::test {
namespace {

struct Item {
    int catg;
    const char* name;
    const char* unit;
    float price;
    float units;
    bool toBuy;
};

// A table whose rows show the records in the order given.
ItemTable Table(const std::vector<std::string>& categories, const std::vector<Item>& items) {
    std::vector<ItemRecord> records;
    for (const Item& item : items)
        records.push_back(RecordOf(item.catg, item.name, item.unit, item.price, item.units, item.toBuy ? kToBuy : 0));
    return TableOf(records, categories);
}

TEST(ShoppingListText, GroupsTheItemsToBuyUnderTheirCategoriesWithTheTotalsLast) {
    // Category names read from a file keep their padding; the heading does not.
    const ItemTable t = Table({"dairy               ", "produce"},
                              {{0, "Paper towels", "roll", 0.75f, 2, true},
                               {1, "Milk", "gallon", 3.5f, 2, true},
                               {1, "Butter", "1/2 lb", 2.25f, 1, false},
                               {1, "Cheese", "", 0, 1, true},
                               {2, "Apples", "1 lb bag", 1.3f, 0.5f, true},
                               {2, "Bananas", "bunch", 0.5f, 3, true}});
    const ShoppingListText text = BuildShoppingListText(t);
    EXPECT_EQ(text.items, 5);
    EXPECT_EQ(text.plain,
              "Paper towels: 2 roll, 1.50\n"
              "\n"
              "dairy\n"
              "Milk: 2 gallon, 7.00\n"
              "Cheese: 1\n"
              "\n"
              "produce\n"
              "Apples: .5 1 lb bag, .65\n"
              "Bananas: 3 bunch, 1.50\n"
              "\n"
              "Items to buy: 5, total cost: 10.65\n");
    EXPECT_EQ(text.markdown,
              "- [ ] Paper towels: 2 roll, 1.50\n"
              "\n"
              "## dairy\n"
              "- [ ] Milk: 2 gallon, 7.00\n"
              "- [ ] Cheese: 1\n"
              "\n"
              "## produce\n"
              "- [ ] Apples: .5 1 lb bag, .65\n"
              "- [ ] Bananas: 3 bunch, 1.50\n"
              "\n"
              "Items to buy: 5, total cost: 10.65\n");
}

TEST(ShoppingListText, FollowsTheRowOrderAndRepeatsAHeadingForEachRunAsOnPaper) {
    // Rows as a loaded file may hold them: not sorted by category.
    ItemTable t = Table({"dairy", "bread"}, {{1, "Milk", "gallon", 3, 1, true},
                                             {2, "Rolls", "bag", 2, 1, true},
                                             {0, "Soap", "", 1, 1, true},
                                             {1, "Yogurt", "cup", 0.5f, 4, true}});
    t.rowOrder = {0, 2, 1, 3, 4};
    const ShoppingListText text = BuildShoppingListText(t);
    EXPECT_EQ(text.plain,
              "bread\n"
              "Rolls: 1 bag, 2.00\n"
              "\n"
              "dairy\n"
              "Milk: 1 gallon, 3.00\n"
              "\n"
              "(no category)\n"
              "Soap: 1, 1.00\n"
              "\n"
              "dairy\n"
              "Yogurt: 4 cup, 2.00\n"
              "\n"
              "Items to buy: 4, total cost: 8.00\n");
    EXPECT_EQ(text.markdown,
              "## bread\n"
              "- [ ] Rolls: 1 bag, 2.00\n"
              "\n"
              "## dairy\n"
              "- [ ] Milk: 1 gallon, 3.00\n"
              "\n"
              "## (no category)\n"
              "- [ ] Soap: 1, 1.00\n"
              "\n"
              "## dairy\n"
              "- [ ] Yogurt: 4 cup, 2.00\n"
              "\n"
              "Items to buy: 4, total cost: 8.00\n");
}

TEST(ShoppingListText, ACheckedItemWithoutUnitsOrPriceShowsWhatItHas) {
    const ItemTable t = Table({}, {{0, "Salt", "box", 0, 0, true},
                                   {0, "Pepper", "", 0, 0, true},
                                   {0, "Tea", "", 2.5f, 2, true}});
    EXPECT_EQ(BuildShoppingListText(t).plain,
              "Salt: box\n"
              "Pepper\n"
              "Tea: 2, 5.00\n"
              "\n"
              "Items to buy: 3, total cost: 5.00\n");
}

TEST(ShoppingListText, NothingToBuyGivesNoText) {
    const ShoppingListText none = BuildShoppingListText(Table({"dairy"}, {{1, "Milk", "gallon", 3, 2, false}}));
    EXPECT_EQ(none.items, 0);
    EXPECT_TRUE(none.plain.empty());
    EXPECT_TRUE(none.markdown.empty());
    EXPECT_EQ(BuildShoppingListText(ItemTable{}).items, 0);
}

TEST(ShoppingListText, MarkupInNamesIsEscapedInMarkdownOnly) {
    const ItemTable t = Table({"#1 deals"}, {{1, "*Sale* [x]", "2_pack", 1, 1, true}});
    const ShoppingListText text = BuildShoppingListText(t);
    EXPECT_EQ(text.plain, "#1 deals\n*Sale* [x]: 1 2_pack, 1.00\n\nItems to buy: 1, total cost: 1.00\n");
    EXPECT_EQ(text.markdown,
              "## \\#1 deals\n- [ ] \\*Sale\\* \\[x\\]: 1 2\\_pack, 1.00\n\nItems to buy: 1, total cost: 1.00\n");
}

TEST(ShoppingListText, AnsiNamesAndBrokenRowsAreTakenAsTheyAre) {
    // "Käse", "Stück" in code page 1252: the bytes go through unchanged.
    ItemTable t = Table({"K\xE4se"}, {{1, "K\xE4se", "St\xFC" "ck", 4, 1, true},
                                      {7, "Brot", "", 2, 1, true},  // a category past the list
                                      {0, "Lost", "", 1, 1, true}});
    t.rowOrder[3] = 99;  // a row that reaches no record is left out
    EXPECT_EQ(BuildShoppingListText(t).plain,
              "K\xE4se\nK\xE4se: 1 St\xFC" "ck, 4.00\n\n(no category)\nBrot: 1, 2.00\n\n"
              "Items to buy: 2, total cost: 6.00\n");
}

}  // namespace
}  // namespace pantrium::test
