// Lists of the headless layer: exact search, rows under a point, entries
// kept in step with the selection and the first visible row.
#include "headless_fixture.h"

using namespace plat;

namespace {

enum { kList = 100, kCombo = 220, kDrop = 230 };

// Runs a dialog with a 5-row list of n entries and calls check inside the loop.
void WithList(int n, std::function<void(Window)> check) {
    DialogSpec spec;
    spec.caption = "Lists";
    spec.width = 300;
    spec.height = 200;
    spec.controls = {{kList, Kind::ListBox, "", {10, 20, 100, 65}, kTabStop | kNotify},
                     {kCombo, Kind::SimpleCombo, "", {120, 20, 100, 100}, kTabStop},
                     {kDrop, Kind::DropList, "", {230, 20, 60, 100}, kTabStop}};
    headless::Then([check] {
        check(headless::ActiveDialog());
        EndDialog(headless::ActiveDialog(), 1);
    });
    RunDialog(spec, [n](Window dlg, const Event& e) {
        if (e.msg == Msg::Init)
            for (int i = 0; i < n; ++i) ListAdd(dlg, kList, "entry " + std::to_string(i));
        return 0;
    });
}

using Lists = HeadlessTest;

}  // namespace

TEST_F(Lists, FindExactIgnoresCaseStartsAfterAndWraps) {
    WithList(0, [](Window dlg) {
        for (const char* name : {"Fruit", "dairy", "fruit", "bread"}) ListAdd(dlg, kCombo, name);
        EXPECT_EQ(ListFindExact(dlg, kCombo, -1, "FRUIT"), 0);
        EXPECT_EQ(ListFindExact(dlg, kCombo, 0, "fruit"), 2);
        EXPECT_EQ(ListFindExact(dlg, kCombo, 2, "fruit"), 0);  // wraps to the start
        EXPECT_EQ(ListFindExact(dlg, kCombo, -1, "frui"), -1);   // exact, not a prefix
        EXPECT_EQ(ListFindExact(dlg, kCombo, -1, "Bread"), 3);
    });
}

TEST_F(Lists, ItemFromPointUsesRowHeightAndTopIndex) {
    WithList(20, [](Window dlg) {
        Rect client = headless::ClientRect(dlg);
        int x = client.left + 10 + 5, top = client.top + 20;
        EXPECT_EQ(ListItemFromPoint(dlg, kList, x, top), 0);
        EXPECT_EQ(ListItemFromPoint(dlg, kList, x, top + 2 * 13 + 12), 2);
        ListSetTopIndex(dlg, kList, 7);
        EXPECT_EQ(ListItemFromPoint(dlg, kList, x, top + 13), 8);
        EXPECT_EQ(ListItemFromPoint(dlg, kList, x, top - 1), -1);         // above the list
        EXPECT_EQ(ListItemFromPoint(dlg, kList, client.left + 9, top), -1);  // left of it
        EXPECT_EQ(ListItemFromPoint(dlg, kDrop, x, top), -1);             // not a list on screen
        ListSetTopIndex(dlg, kList, 19);
        EXPECT_EQ(ListTopIndex(dlg, kList), 15);  // 5 rows stay filled
    });
    WithList(2, [](Window dlg) {
        Rect client = headless::ClientRect(dlg);
        EXPECT_EQ(ListItemFromPoint(dlg, kList, client.left + 15, client.top + 20 + 3 * 13), -1);  // below the entries
    });
}

TEST_F(Lists, SelectionFollowsInsertAndDeleteAndScrollsIntoView) {
    WithList(10, [](Window dlg) {
        ListSetSel(dlg, kList, 3);
        ListInsert(dlg, kList, 0, "new");
        EXPECT_EQ(ListGetSel(dlg, kList), 4);
        ListDelete(dlg, kList, 4);
        EXPECT_EQ(ListGetSel(dlg, kList), -1);
        ListSetSel(dlg, kList, 8);
        EXPECT_EQ(ListTopIndex(dlg, kList), 4);  // entry 8 is the last of five visible rows
        ListInsert(dlg, kList, -1, "last");
        EXPECT_EQ(ListText(dlg, kList, ListCount(dlg, kList) - 1), "last");
        ListReset(dlg, kList);
        EXPECT_EQ(ListCount(dlg, kList), 0);
        EXPECT_EQ(ListGetSel(dlg, kList), -1);
    });
}

TEST_F(Lists, FillReplacesEveryEntryAndKeepsTheFirstVisibleRow) {
    WithList(20, [](Window dlg) {
        ListSetTopIndex(dlg, kList, 6);
        ListSetSel(dlg, kList, 8);
        ListFill(dlg, kList, 30, [](int i) { return "row " + std::to_string(i); });
        EXPECT_EQ(ListCount(dlg, kList), 30);
        EXPECT_EQ(ListText(dlg, kList, 0), "row 0");
        EXPECT_EQ(ListText(dlg, kList, 29), "row 29");
        EXPECT_EQ(ListTopIndex(dlg, kList), 6);    // the list does not scroll
        EXPECT_EQ(ListGetSel(dlg, kList), -1);     // the entries are new: nothing is selected
        ListFill(dlg, kList, 8, [](int i) { return "short " + std::to_string(i); });
        EXPECT_EQ(ListTopIndex(dlg, kList), 3);    // as far as the fewer entries reach
        ListFill(dlg, kList, 0, [](int) { return std::string("never"); });
        EXPECT_EQ(ListCount(dlg, kList), 0);
    });
}

TEST_F(Lists, ReplaceRewritesOneEntryInPlace) {
    WithList(10, [](Window dlg) {
        ListSetTopIndex(dlg, kList, 2);
        ListSetSel(dlg, kList, 5);
        ListReplace(dlg, kList, 3, "three");
        EXPECT_EQ(ListText(dlg, kList, 3), "three");
        EXPECT_EQ(ListText(dlg, kList, 4), "entry 4");
        EXPECT_EQ(ListCount(dlg, kList), 10);
        EXPECT_EQ(ListGetSel(dlg, kList), 5);  // another entry's selection stays
        EXPECT_EQ(ListTopIndex(dlg, kList), 2);
        ListReplace(dlg, kList, 5, "five");
        EXPECT_EQ(ListGetSel(dlg, kList), -1);  // as ListDelete: the rewritten entry loses it
    });
}

TEST_F(Lists, SimpleComboKeepsItsEditFieldInStepWithoutChangeNotifications) {
    int changes = 0;
    DialogSpec spec;
    spec.caption = "Combo";
    spec.controls = {{kCombo, Kind::SimpleCombo, "", {10, 10, 100, 100}, kTabStop}};
    headless::Then([] {
        Window dlg = headless::ActiveDialog();
        ListAdd(dlg, kCombo, "dairy");
        ListAdd(dlg, kCombo, "fruit");
        ListSetSel(dlg, kCombo, 1);
        EXPECT_EQ(GetText(dlg, kCombo), "fruit");
        EXPECT_EQ(headless::EditSelection(dlg, kCombo), (std::pair{0, 5}));
        ListSetSel(dlg, kCombo, -1);
        EXPECT_EQ(GetText(dlg, kCombo), "");
    });
    headless::SelectRow(kCombo, 0);
    headless::Then([] {
        Window dlg = headless::ActiveDialog();
        EXPECT_EQ(GetText(dlg, kCombo), "dairy");
        ListReset(dlg, kCombo);
        EXPECT_EQ(GetText(dlg, kCombo), "");
        EndDialog(dlg, 1);
    });
    RunDialog(spec, [&](Window, const Event& e) {
        if (e.msg == Msg::Command && e.code == Code::Change) ++changes;
        return 0;
    });
    EXPECT_EQ(changes, 0);
}
