// Lists of the headless layer: exact search, rows under a point, entries
// kept in step with the selection and the first visible row.
#include "headless_model.h"

using namespace plat;
using headless_model::InFreshLayer;
using conformance::Check;
using conformance::CheckEq;

namespace lists_model {

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


}  // namespace

CONFORMANCE_CASE("control access", "headless model: Lists.FindExactIgnoresCaseStartsAfterAndWraps") {
    InFreshLayer([&] {
        WithList(0, [](Window dlg) {
            for (const char* name : {"Fruit", "dairy", "fruit", "bread"}) ListAdd(dlg, kCombo, name);
            CheckEq(ListFindExact(dlg, kCombo, -1, "FRUIT"), 0, R"chk(ListFindExact(dlg, kCombo, -1, "FRUIT") == 0)chk");
            CheckEq(ListFindExact(dlg, kCombo, 0, "fruit"), 2, R"chk(ListFindExact(dlg, kCombo, 0, "fruit") == 2)chk");
            CheckEq(ListFindExact(dlg, kCombo, 2, "fruit"), 0, R"chk(ListFindExact(dlg, kCombo, 2, "fruit") == 0)chk");  // wraps to the start
            CheckEq(ListFindExact(dlg, kCombo, -1, "frui"), -1, R"chk(ListFindExact(dlg, kCombo, -1, "frui") == -1)chk");   // exact, not a prefix
            CheckEq(ListFindExact(dlg, kCombo, -1, "Bread"), 3, R"chk(ListFindExact(dlg, kCombo, -1, "Bread") == 3)chk");
        });
    });
}

CONFORMANCE_CASE("control access", "headless model: Lists.ItemFromPointUsesRowHeightAndTopIndex") {
    InFreshLayer([&] {
        WithList(20, [](Window dlg) {
            Rect client = headless::ClientRect(dlg);
            int x = client.left + 10 + 5, top = client.top + 20;
            CheckEq(ListItemFromPoint(dlg, kList, x, top), 0, R"chk(ListItemFromPoint(dlg, kList, x, top) == 0)chk");
            CheckEq(ListItemFromPoint(dlg, kList, x, top + 2 * 13 + 12), 2, R"chk(ListItemFromPoint(dlg, kList, x, top + 2 * 13 + 12) == 2)chk");
            ListSetTopIndex(dlg, kList, 7);
            CheckEq(ListItemFromPoint(dlg, kList, x, top + 13), 8, R"chk(ListItemFromPoint(dlg, kList, x, top + 13) == 8)chk");
            CheckEq(ListItemFromPoint(dlg, kList, x, top - 1), -1, R"chk(ListItemFromPoint(dlg, kList, x, top - 1) == -1)chk");         // above the list
            CheckEq(ListItemFromPoint(dlg, kList, client.left + 9, top), -1, R"chk(ListItemFromPoint(dlg, kList, client.left + 9, top) == -1)chk");  // left of it
            CheckEq(ListItemFromPoint(dlg, kDrop, x, top), -1, R"chk(ListItemFromPoint(dlg, kDrop, x, top) == -1)chk");             // not a list on screen
            ListSetTopIndex(dlg, kList, 19);
            CheckEq(ListTopIndex(dlg, kList), 15, R"chk(ListTopIndex(dlg, kList) == 15)chk");  // 5 rows stay filled
        });
        WithList(2, [](Window dlg) {
            Rect client = headless::ClientRect(dlg);
            CheckEq(ListItemFromPoint(dlg, kList, client.left + 15, client.top + 20 + 3 * 13), -1, R"chk(ListItemFromPoint(dlg, kList, client.left + 15, client.top + 20 + 3 * 13) == -1)chk");  // below the entries
        });
    });
}

CONFORMANCE_CASE("control access", "headless model: Lists.SelectionFollowsInsertAndDeleteAndScrollsIntoView") {
    InFreshLayer([&] {
        WithList(10, [](Window dlg) {
            ListSetSel(dlg, kList, 3);
            ListInsert(dlg, kList, 0, "new");
            CheckEq(ListGetSel(dlg, kList), 4, R"chk(ListGetSel(dlg, kList) == 4)chk");
            ListDelete(dlg, kList, 4);
            CheckEq(ListGetSel(dlg, kList), -1, R"chk(ListGetSel(dlg, kList) == -1)chk");
            ListSetSel(dlg, kList, 8);
            CheckEq(ListTopIndex(dlg, kList), 4, R"chk(ListTopIndex(dlg, kList) == 4)chk");  // entry 8 is the last of five visible rows
            ListInsert(dlg, kList, -1, "last");
            CheckEq(ListText(dlg, kList, ListCount(dlg, kList) - 1), "last", R"chk(ListText(dlg, kList, ListCount(dlg, kList) - 1) == "last")chk");
            ListReset(dlg, kList);
            CheckEq(ListCount(dlg, kList), 0, R"chk(ListCount(dlg, kList) == 0)chk");
            CheckEq(ListGetSel(dlg, kList), -1, R"chk(ListGetSel(dlg, kList) == -1)chk");
        });
    });
}

CONFORMANCE_CASE("control access", "headless model: Lists.FillReplacesEveryEntryAndKeepsTheFirstVisibleRow") {
    InFreshLayer([&] {
        WithList(20, [](Window dlg) {
            ListSetTopIndex(dlg, kList, 6);
            ListSetSel(dlg, kList, 8);
            ListFill(dlg, kList, 30, [](int i) { return "row " + std::to_string(i); });
            CheckEq(ListCount(dlg, kList), 30, R"chk(ListCount(dlg, kList) == 30)chk");
            CheckEq(ListText(dlg, kList, 0), "row 0", R"chk(ListText(dlg, kList, 0) == "row 0")chk");
            CheckEq(ListText(dlg, kList, 29), "row 29", R"chk(ListText(dlg, kList, 29) == "row 29")chk");
            CheckEq(ListTopIndex(dlg, kList), 6, R"chk(ListTopIndex(dlg, kList) == 6)chk");    // the list does not scroll
            CheckEq(ListGetSel(dlg, kList), -1, R"chk(ListGetSel(dlg, kList) == -1)chk");     // the entries are new: nothing is selected
            ListFill(dlg, kList, 8, [](int i) { return "short " + std::to_string(i); });
            CheckEq(ListTopIndex(dlg, kList), 3, R"chk(ListTopIndex(dlg, kList) == 3)chk");    // as far as the fewer entries reach
            ListFill(dlg, kList, 0, [](int) { return std::string("never"); });
            CheckEq(ListCount(dlg, kList), 0, R"chk(ListCount(dlg, kList) == 0)chk");
        });
    });
}

CONFORMANCE_CASE("control access", "headless model: Lists.ReplaceRewritesOneEntryInPlace") {
    InFreshLayer([&] {
        WithList(10, [](Window dlg) {
            ListSetTopIndex(dlg, kList, 2);
            ListSetSel(dlg, kList, 5);
            ListReplace(dlg, kList, 3, "three");
            CheckEq(ListText(dlg, kList, 3), "three", R"chk(ListText(dlg, kList, 3) == "three")chk");
            CheckEq(ListText(dlg, kList, 4), "entry 4", R"chk(ListText(dlg, kList, 4) == "entry 4")chk");
            CheckEq(ListCount(dlg, kList), 10, R"chk(ListCount(dlg, kList) == 10)chk");
            CheckEq(ListGetSel(dlg, kList), 5, R"chk(ListGetSel(dlg, kList) == 5)chk");  // another entry's selection stays
            CheckEq(ListTopIndex(dlg, kList), 2, R"chk(ListTopIndex(dlg, kList) == 2)chk");
            ListReplace(dlg, kList, 5, "five");
            CheckEq(ListGetSel(dlg, kList), -1, R"chk(ListGetSel(dlg, kList) == -1)chk");  // as ListDelete: the rewritten entry loses it
        });
    });
}

CONFORMANCE_CASE("control access", "headless model: Lists.SimpleComboKeepsItsEditFieldInStepWithoutChangeNotifications") {
    InFreshLayer([&] {
        int changes = 0;
        DialogSpec spec;
        spec.caption = "Combo";
        spec.controls = {{kCombo, Kind::SimpleCombo, "", {10, 10, 100, 100}, kTabStop}};
        headless::Then([] {
            Window dlg = headless::ActiveDialog();
            ListAdd(dlg, kCombo, "dairy");
            ListAdd(dlg, kCombo, "fruit");
            ListSetSel(dlg, kCombo, 1);
            CheckEq(GetText(dlg, kCombo), "fruit", R"chk(GetText(dlg, kCombo) == "fruit")chk");
            CheckEq(headless::EditSelection(dlg, kCombo), (std::pair{0, 5}), R"chk(headless::EditSelection(dlg, kCombo) == (std::pair{0, 5}))chk");
            ListSetSel(dlg, kCombo, -1);
            CheckEq(GetText(dlg, kCombo), "", R"chk(GetText(dlg, kCombo) == "")chk");
        });
        headless::SelectRow(kCombo, 0);
        headless::Then([] {
            Window dlg = headless::ActiveDialog();
            CheckEq(GetText(dlg, kCombo), "dairy", R"chk(GetText(dlg, kCombo) == "dairy")chk");
            ListReset(dlg, kCombo);
            CheckEq(GetText(dlg, kCombo), "", R"chk(GetText(dlg, kCombo) == "")chk");
            EndDialog(dlg, 1);
        });
        RunDialog(spec, [&](Window, const Event& e) {
            if (e.msg == Msg::Command && e.code == Code::Change) ++changes;
            return 0;
        });
        CheckEq(changes, 0, R"chk(changes == 0)chk");
    });
}

}  // namespace lists_model
