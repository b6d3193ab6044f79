// Start-up of the main window: files read, layout, menus, first refresh.
#include <fstream>

#include "main_fixture.h"

namespace pantrium::testing {
namespace {

using script::Then;

class MainStartup : public MainWindowTest {};

TEST_F(MainStartup, WithoutFilesStartsEmptyAndCreatesNothing) {
    Then([&] {
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), "Pantrium");
        EXPECT_EQ(itemTable.listPath, "my Pantrium.ptm");
        EXPECT_EQ(itemTable.itemCount, 0);
        EXPECT_EQ(itemTable.catgCount, 0);
        EXPECT_EQ(plat::ListCount(ui.mainWindow, kItemList), 0);
        EXPECT_EQ(Status(0), "Catg: ");
        EXPECT_EQ(Status(1), "");
        EXPECT_EQ(Status(2), "Items to buy:  0");
        EXPECT_EQ(Status(3), "Total cost: .00");
        EXPECT_EQ(ui.helpPath, std::filesystem::current_path().string() + "\\Pantrium.chm");
    });
    Quit();
    Run();
    EXPECT_FALSE(std::filesystem::exists("my Pantrium.ptm"));
    EXPECT_FALSE(itemTable.modified);
}

TEST_F(MainStartup, LayoutMenusAndStatusBar) {
    Then([&] {
        const plat::Window w = ui.mainWindow;
        const plat::DialogSpec& spec = drivers::SpecOf(w);
        EXPECT_EQ(spec.width, 505);
        EXPECT_EQ(spec.height, 400);
        EXPECT_EQ(spec.frame, unsigned(plat::kCaption | plat::kSysMenu | plat::kMinimizeBox | plat::kResizable));
        EXPECT_EQ(spec.owner, 0u);
        ASSERT_EQ(spec.controls.size(), 15u);
        struct Expected { int id; plat::Kind kind; std::string text; plat::Rect rect; };
        const std::vector<Expected> table = {
            {100, plat::Kind::ListBox, "", {10, 35, 480, 220}},
            {-1, plat::Kind::Label, "Buy", {10, 20, 25, 15}},
            {-1, plat::Kind::Label, "  Grocery Item", {35, 20, 130, 15}},
            {-1, plat::Kind::Label, "  Unit Description", {165, 20, 130, 15}},
            {-1, plat::Kind::Label, "   Last buy", {295, 20, 60, 15}},
            {-1, plat::Kind::Label, "       Units", {355, 20, 60, 15}},
            {-1, plat::Kind::Label, "        Cost", {415, 20, 60, 15}},
            {-1, plat::Kind::Label, "Units to buy", {100, 275, 120, 15}},
            {101, plat::Kind::Edit, "", {35, 275, 60, 18}},
            {2, plat::Kind::Button, "", {0, 0, 0, 0}},
            {121, plat::Kind::Button, "&New Item", {300, 275, 70, 30}},
            {122, plat::Kind::Button, "&Auto List", {372, 275, 70, 30}},
            {123, plat::Kind::Button, "&Print List", {300, 305, 70, 30}},
            {124, plat::Kind::Button, "&Check Out", {372, 305, 70, 30}},
            {-1, plat::Kind::Label,
             "Double-click item in listbox, press Return,\r\n.... or enter number of units to buy "
             "above\r\n.... can also press right mouse button",
             {10, 310, 220, 50}},
        };
        for (std::size_t i = 0; i < table.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(spec.controls[i].id, table[i].id);
            EXPECT_EQ(spec.controls[i].kind, table[i].kind);
            EXPECT_EQ(spec.controls[i].text, table[i].text);
            EXPECT_EQ(spec.controls[i].rect, table[i].rect);
        }
        // Only the list and the units box are tab stops.
        for (const auto& c : spec.controls)
            EXPECT_EQ((c.style & plat::kTabStop) != 0, c.id == kItemList || c.id == kUnitsBox) << c.id;

        EXPECT_EQ(drivers::TheUser().ControlRect(w, kFocusFrame), (plat::Rect{8, 20, 483, 227}));
        EXPECT_EQ(drivers::ControlKind(w, kFocusFrame), plat::Kind::BlackFrame);
        EXPECT_TRUE(plat::IsVisible(w, kFocusFrame));  // the list has the focus
        EXPECT_EQ(plat::GetFocus(w), kItemList);
        EXPECT_EQ(drivers::StatusParts(w, kStatusBar), (std::vector<int>{170, 290, 395, -1}));
        EXPECT_EQ(drivers::TabStops(w, kItemList), (std::vector<int>{3, 20, 107, 194, -257, -297}));
        EXPECT_EQ(drivers::DialogIcon(w), "GROCERY");
        EXPECT_TRUE(drivers::HasKeyHook(w, kItemList));
        EXPECT_TRUE(drivers::HasKeyHook(w, kUnitsBox));

        const auto bar = drivers::MenuItems(drivers::MenuOf(w));
        ASSERT_EQ(bar.size(), 4u);
        auto ids = [](const plat::MenuItem& m) {
            std::vector<std::pair<std::string, int>> out;
            for (const auto& i : m.items) out.emplace_back(i.text, i.id);
            return out;
        };
        using V = std::vector<std::pair<std::string, int>>;
        EXPECT_EQ(bar[0].text, "&File");
        // The keys of the commands stand after a tab.
        EXPECT_EQ(ids(bar[0]), (V{{"&Open\tCtrl+O", 301}, {"&Save\tCtrl+S", 302}, {"Save&As\tCtrl+Shift+S", 303},
                                  {"&Merge List...", 307}, {"", 0},
                                  {"&Reset all", 304}, {"&Print all", 305}, {"&Export CSV...", 308},
                                  {"&Import CSV...", 309}, {"E&xit", 306}}));
        EXPECT_EQ(bar[1].text, "&Edit");
        EXPECT_EQ(ids(bar[1]), (V{{"&New item\tCtrl+N", 311}, {"&Change item\tF2", 312}, {"&Delete item\tDel", 313},
                                  {"&Reset item", 314}, {"&Buying history", 317}}));
        EXPECT_EQ(bar[2].text, "&Task");
        EXPECT_EQ(ids(bar[2]), (V{{"&Buy", 315}, {"", 0}, {"&Categories", 324}, {"&Print list\tCtrl+P", 321},
                                  {"&Copy list\tCtrl+C", 325}, {"", 0}, {"Check &Out", 322}, {"&Undo Checkout\tCtrl+Z", 323}}));
        EXPECT_EQ(bar[3].text, "&Help");
        EXPECT_EQ(ids(bar[3]), (V{{"&Help\tF1", 331}, {"&About", 332}}));

        plat::MenuItem context{"", 0, drivers::MenuItems(ui.contextMenu)};
        EXPECT_EQ(ids(context), (V{{"Buy", 315}, {"", 0}, {"Change item\tF2", 312}, {"Delete item\tDel", 313},
                                   {"", 0}, {"Units to buy", 316}, {"Units history", 317}}));
    });
    Quit();
    Run();
}

TEST_F(MainStartup, LoadsTheListNamedInTheSettingsFileSortedWithRowOneSelected) {
    WriteListFile("week.ptm",
                  {{2, "Apples", "1 kg", 3, 0, 0},
                   {1, "Milk", "1 gallon", 1.25f, 2, kToBuy, Packed(3, 15, 2024), 2},
                   {0, "Zucchini", "each", 0.5f, 0, kSpecialBuy}},
                  {"dairy", "fruit"});
    std::ofstream("pantrium.ini") << "\"week.ptm\"\r\n";
    Then([&] {
        EXPECT_EQ(itemTable.listPath, "week.ptm");
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), "week");
        ASSERT_EQ(plat::ListCount(ui.mainWindow, kItemList), 3);
        // Sorted by category number, then name.
        EXPECT_EQ(Row(0), "\t\tZucchini\teach\t");
        EXPECT_EQ(Row(1), "\tx\tMilk\t1 gallon\t03-15-24\t2.00\t2.50");
        EXPECT_EQ(Row(2), "\t\tApples\t1 kg\t");
        EXPECT_EQ(Selection(), 0);
        EXPECT_EQ(Status(0), "Catg: ");
        EXPECT_EQ(Status(1), "Special buy");
        EXPECT_EQ(Status(2), "Items to buy:  1");
        EXPECT_EQ(Status(3), "Total cost: 2.50");
        EXPECT_FALSE(itemTable.modified);
    });
    script::SelectRow(kItemList, 1);
    Then([&] {
        EXPECT_EQ(Status(0).substr(0, 11), "Catg: dairy");
        EXPECT_EQ(Status(1), "");
        EXPECT_EQ(UnitsText(), "2.00");  // a selection shows the units in the money mask
    });
    Quit();
    Run();
}

// A list path that cannot be read is reported instead of being silently
// treated as a list.
TEST_F(MainStartup, UnreadableListIsReportedAndTheListStartsEmpty) {
    std::filesystem::create_directory("my Pantrium.ptm");
    script::AnswerPrompt(1);
    Then([&] {
        EXPECT_EQ(itemTable.itemCount, 0);
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), "Pantrium");
    });
    Quit();
    Run();
    ASSERT_EQ(script::Prompts().size(), 1u);
    EXPECT_EQ(script::Prompts()[0].style, 16);
    EXPECT_EQ(script::Prompts()[0].text,
              "Could not open the list my Pantrium.ptm.\r\nThe program starts with an empty list.");
}

// After a failed load the program holds no path: neither Save nor the close
// flow can write over the list that could not be read; each asks for a path.
TEST_F(MainStartup, ListThatFailedToLoadIsNeverSavedOverUnasked) {
    std::filesystem::create_directory("week.ptm");  // stands for a list that cannot be read
    std::ofstream("pantrium.ini") << "week.ptm\r\n";
    script::AnswerPrompt(1);
    Then([&] {
        EXPECT_EQ(itemTable.listPath, "");
        itemTable.modified = true;  // the user adds an item
    });
    script::AnswerPrompt(6);  // "Save file now?"
    script::AnswerFileDialog(false, "");
    script::ChooseMenu(kCmdSave);
    Then([&] {
        ASSERT_EQ(script::FileDialogs().size(), 1u);
        EXPECT_EQ(script::FileDialogs()[0].title, "Save File");
        EXPECT_EQ(script::FileDialogs()[0].fileName, "My pantrium");
        EXPECT_TRUE(itemTable.modified);
        itemTable.listPath.clear();
    });
    // Closing: Yes to saving asks for the path too; the chosen one is written.
    script::AnswerPrompt(6);
    script::AnswerFileDialog(true, "chosen.ptm");
    script::CloseBox();
    Run();
    EXPECT_TRUE(std::filesystem::is_directory("week.ptm"));
    EXPECT_EQ(std::filesystem::file_size("chosen.ptm"), 21u);
    EXPECT_EQ(script::FileDialogs().size(), 2u);
}

}  // namespace
}  // namespace pantrium::testing
