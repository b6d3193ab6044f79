// The main window grows: the item list takes the new room, the controls
// below it keep their distance to the bottom edge, the first size is the
// smallest, and at that size every control stands where it always stood.
#include "main_fixture.h"

namespace pantrium::testing {
namespace {

using script::Then;

class MainResize : public MainWindowTest {
protected:
    static plat::Rect At(plat::Window w, int id) { return drivers::TheUser().ControlRect(w, id); }

    // The controls under the list, by id, with their rectangles at the first size.
    struct Placed {
        int id;
        plat::Rect rect;
    };
    static std::vector<Placed> Below() {
        return {{kUnitsBox, {35, 275, 60, 18}},        {kNewItemButton, {300, 275, 70, 30}},
                {kAutoListButton, {372, 275, 70, 30}}, {kPrintListButton, {300, 305, 70, 30}},
                {kCheckOutButton, {372, 305, 70, 30}}};
    }

    // Rows that fit in the list: the first visible row once the last one was selected.
    static int VisibleRows(plat::Window w) {
        const int count = plat::ListCount(w, kItemList);
        plat::ListSetSel(w, kItemList, count - 1);
        return count - plat::ListTopIndex(w, kItemList);
    }

    static void CheckFirstPlaces(plat::Window w) {
        const plat::Rect list = At(w, kItemList);
        EXPECT_EQ((plat::Rect{list.left, list.top, list.width, 0}), (plat::Rect{10, 35, 480, 0}));
        // A list box may keep its height a whole number of rows.
        EXPECT_LE(list.height, 220);
        EXPECT_GT(list.height, 220 - 30);
        EXPECT_EQ(At(w, kFocusFrame), (plat::Rect{8, 20, 483, 227}));
        for (const Placed& p : Below()) EXPECT_EQ(At(w, p.id), p.rect) << p.id;
        const plat::Rect client = drivers::TheUser().ClientRect(w);
        const plat::Rect bar = At(w, kStatusBar);
        EXPECT_EQ(bar.left, 0);
        EXPECT_EQ(bar.width, client.width);
        EXPECT_EQ(bar.top + bar.height, client.height);
        EXPECT_GE(bar.top, 310 + 50) << "the status bar stays below the help text";
    }
};

TEST_F(MainResize, GrowsWithTheWindowAndComesBackToItsFirstPlaces) {
    std::vector<TestItem> items;
    for (int i = 0; i < 60; ++i) items.push_back({0, "Item " + std::to_string(100 + i), "each"});
    WriteStartList(items);
    constexpr int kWider = 200, kTaller = 130;
    plat::Rect first;
    int firstRows = 0;
    Then([&] {
        const plat::Window w = ui.mainWindow;
        EXPECT_TRUE(drivers::SpecOf(w).frame & plat::kResizable);
        CheckFirstPlaces(w);
        first = plat::GetWindowRect(w);
        firstRows = VisibleRows(w);
        EXPECT_GT(firstRows, 5);
        EXPECT_LT(firstRows, 60);
        plat::MoveWindow(w, {first.left, first.top, first.width + kWider, first.height + kTaller});
        drivers::TheUser().PumpUntil([&] { return At(w, kUnitsBox).top == 275 + kTaller; });
    });
    Then([&] {
        const plat::Window w = ui.mainWindow;
        const plat::Rect list = At(w, kItemList);
        EXPECT_EQ((plat::Rect{list.left, list.top, list.width, 0}), (plat::Rect{10, 35, 480 + kWider, 0}));
        EXPECT_LE(list.height, 220 + kTaller);
        EXPECT_GT(list.height, 220 + kTaller - 30);
        EXPECT_EQ(At(w, kFocusFrame), (plat::Rect{8, 20, 483 + kWider, 227 + kTaller}));
        for (const Placed& p : Below()) {
            plat::Rect moved = p.rect;
            moved.top += kTaller;
            EXPECT_EQ(At(w, p.id), moved) << p.id;
        }
        const plat::Rect client = drivers::TheUser().ClientRect(w);
        const plat::Rect bar = At(w, kStatusBar);
        EXPECT_EQ(bar.width, client.width);
        EXPECT_EQ(bar.top + bar.height, client.height);
        // 130 more pixels hold several more rows, whatever a row's height on the layer.
        const int rows = VisibleRows(w);
        EXPECT_GE(rows, firstRows + 5) << "rows visible: " << firstRows << " then " << rows;
        EXPECT_EQ(plat::ListGetSel(w, kItemList), 59);

        plat::MoveWindow(w, first);
        drivers::TheUser().PumpUntil([&] { return At(w, kUnitsBox).top == 275; });
    });
    Then([&] {
        const plat::Window w = ui.mainWindow;
        EXPECT_EQ(plat::GetWindowRect(w), first);
        CheckFirstPlaces(w);
        EXPECT_EQ(VisibleRows(w), firstRows);
        // Smaller than the first size it does not become.
        plat::MoveWindow(w, {first.left, first.top, first.width - 100, first.height - 80});
        drivers::TheUser().PumpUntil([&] { return plat::GetWindowRect(w) == first; });
        EXPECT_EQ(plat::GetWindowRect(w), first);
        CheckFirstPlaces(w);
    });
    Quit();
    Run();
}

}  // namespace
}  // namespace pantrium::testing
