// window.h's control access: texts and captions read back as given (the
// caption in UTF-8, since it may show a list's path in any language), check
// marks, list entries and their search, a fill and a replace that keep the
// first visible row, and the row under an event's screen point.
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "control access";

Point lastPoint;  // of the last ContextMenu event

CONFORMANCE_CASE(kSection, "captions are UTF-8 and read back unchanged") {
    RunShown(MainSpec(), [](Window dlg) {
        const std::string paths[] = {"Z:\\Eink\xc3\xa4ufe\\list \xe2\x80\x93 week",
                                     "Z:\\\xd0\xbf\xd0\xbe\xd0\xba\xd1\x83\xd0\xbf\xd0\xba\xd0\xb8\\list",
                                     "C:\\\xe8\xb2\xb7\xe3\x81\x84\xe7\x89\xa9"};
        for (const std::string& path : paths) {
            SetCaption(dlg, path);
            CheckEq(GetCaption(dlg), path, "a UTF-8 caption reads back unchanged: " + path);
        }
        SetText(dlg, 0, "\xd0\xbf\xd0\xbe");
        CheckEq(GetText(dlg, 0), "\xd0\xbf\xd0\xbe", "SetText and GetText with id 0 are the caption");
        CheckEq(GetCaption(dlg), "\xd0\xbf\xd0\xbe", "GetCaption reads what SetText gave");
        SetCaption(dlg, "Layer check");
        CheckEq(GetCaption(dlg), "Layer check", "an ASCII caption reads back unchanged");
    });
}

CONFORMANCE_CASE(kSection, "control texts and check marks read back") {
    RunShown(MainSpec(), [](Window dlg) {
        SetText(dlg, kEdit, "2.50");
        CheckEq(GetText(dlg, kEdit), "2.50", "edit text reads back");
        SetText(dlg, kLink, "a&b");
        CheckEq(GetText(dlg, kLink), "a&b", "a label's text reads back with its \"&\"");
        SetText(dlg, kOther, "Other");
        CheckEq(GetText(dlg, kOther), "Other", "a button's text reads back");
        SetCheck(dlg, kCheck, true);
        Check(GetCheck(dlg, kCheck), "check mark reads back");
        SetCheck(dlg, kCheck, false);
        Check(!GetCheck(dlg, kCheck), "a cleared check mark reads back");
    });
}

CONFORMANCE_CASE(kSection, "ListFindExact ignores case, starts after an entry and wraps") {
    RunShown(MainSpec(), [](Window dlg) {
        ListAdd(dlg, kList, "\tx\tMilk\t2.00\t5.00");
        ListAdd(dlg, kList, "\t\tBread\tloaf");
        CheckEq(ListFindExact(dlg, kList, -1, "\t\tbread\tLOAF"), 1, "ListFindExact ignores case");
        CheckEq(ListFindExact(dlg, kList, -1, "nothing"), -1, "ListFindExact without a match");
        for (const char* name : {"Fruit", "dairy", "fruit", "bread"}) ListAdd(dlg, kCombo, name);
        CheckEq(ListFindExact(dlg, kCombo, -1, "DAIRY"), 1, "combo lists share the list calls");
        CheckEq(ListFindExact(dlg, kCombo, 0, "fruit"), 2, "the search starts after the entry given");
        CheckEq(ListFindExact(dlg, kCombo, 2, "fruit"), 0, "and wraps to the start");
        CheckEq(ListFindExact(dlg, kCombo, -1, "frui"), -1, "an exact match, not a prefix");
        CheckEq(ListCount(dlg, kCombo), 4, "the combo box counts its entries");
    });
}

CONFORMANCE_CASE(kSection, "the selection follows inserts and deletes, and scrolls into view") {
    RunShown(ListSpec(), [](Window dlg) {
        AddRows(dlg, kList, 10);
        ListSetSel(dlg, kList, 3);
        ListInsert(dlg, kList, 0, "new");
        CheckEq(ListGetSel(dlg, kList), 4, "an insert above moves the selection down");
        ListDelete(dlg, kList, 4);
        CheckEq(ListGetSel(dlg, kList), -1, "deleting the selected entry leaves none");
        ListSetTopIndex(dlg, kList, 0);
        ListSetSel(dlg, kList, 9);
        Check(ListTopIndex(dlg, kList) > 0, "selecting an entry below the visible rows scrolls it into view");
        ListInsert(dlg, kList, -1, "last");
        CheckEq(ListText(dlg, kList, ListCount(dlg, kList) - 1), "last", "ListInsert at -1 appends");
        ListReset(dlg, kList);
        CheckEq(ListCount(dlg, kList), 0, "ListReset empties the list");
        CheckEq(ListGetSel(dlg, kList), -1, "and its selection");
    });
}

CONFORMANCE_CASE(kSection, "ListFill and ListReplace: new entries, the first visible row kept, no notification") {
    RunShown(MainSpec(), [](Window dlg) {
        ListFill(dlg, kList, 40, [](int i) { return "\t\tRow " + std::to_string(i); });
        ListSetTopIndex(dlg, kList, 12);
        ListSetSel(dlg, kList, 14);
        Recorded().Clear();
        ListFill(dlg, kList, 50, [](int i) { return "\t\tItem " + std::to_string(i); });
        Check(Recorded().Empty(), "ListFill raises nothing");
        CheckEq(ListCount(dlg, kList), 50, "ListFill makes every entry");
        CheckEq(ListText(dlg, kList, 0), "\t\tItem 0", "ListFill's first row");
        CheckEq(ListText(dlg, kList, 49), "\t\tItem 49", "ListFill's rows keep their text in the list box");
        CheckEq(ListTopIndex(dlg, kList), 12, "ListFill keeps the first visible row");
        CheckEq(ListGetSel(dlg, kList), -1, "ListFill leaves nothing selected");
        Check(IsVisible(dlg, kList), "the list is visible after ListFill");
        ListSetSel(dlg, kList, 20);  // scrolls it into view
        const int topBefore = ListTopIndex(dlg, kList);
        Recorded().Clear();
        ListReplace(dlg, kList, topBefore + 1, "\t\tThirteen");
        Check(Recorded().Empty(), "ListReplace raises nothing");
        CheckEq(ListText(dlg, kList, topBefore + 1), "\t\tThirteen", "ListReplace rewrites the entry");
        CheckEq(ListText(dlg, kList, topBefore + 2), "\t\tItem " + std::to_string(topBefore + 2),
                "and no other");
        CheckEq(ListCount(dlg, kList), 50, "ListReplace keeps the count");
        CheckEq(ListGetSel(dlg, kList), 20, "ListReplace keeps another entry's selection");
        CheckEq(ListTopIndex(dlg, kList), topBefore, "ListReplace does not scroll");
        Check(IsVisible(dlg, kList), "the list is visible after ListReplace");
        ListReplace(dlg, kList, 20, "\t\tTwenty");
        CheckEq(ListGetSel(dlg, kList), -1, "as ListDelete: the rewritten entry loses the selection");
        ListFill(dlg, kList, 2, [](int i) { return "\t\tShort " + std::to_string(i); });
        CheckEq(ListTopIndex(dlg, kList), 0, "a fill with fewer rows shows them all");
        ListFill(dlg, kList, 0, [](int) { return std::string("never"); });
        CheckEq(ListCount(dlg, kList), 0, "a fill of none empties the list");
    });
}

CONFORMANCE_CASE(kSection, "an event's screen point goes back to ListItemFromPoint") {
    RunShown(MainSpec(), [](Window dlg) {
        AddRows(dlg, kList, 2);
        auto pointOf = [dlg](int x, int y) {
            const int before = Recorded().Count(Msg::ContextMenu, kList);
            User().RightClick(dlg, kList, x, y);
            return WaitFor([&] { return Recorded().Count(Msg::ContextMenu, kList) > before; });
        };
        Check(pointOf(5, 3), "a right click on the list asks for the context menu");
        Point first = lastPoint;
        CheckEq(ListItemFromPoint(dlg, kList, first.x, first.y), 0, "ListItemFromPoint on the first row");
        Check(pointOf(5, 95), "a right click below the rows asks too");
        Point below = lastPoint;
        CheckEq(ListItemFromPoint(dlg, kList, below.x, below.y), -1, "ListItemFromPoint below the last row");
        CheckEq(ListItemFromPoint(dlg, kEdit, first.x, first.y), -1, "ListItemFromPoint of a control that is no list");
        ListFill(dlg, kList, 100000, [](int i) { return "\t\tCheese " + std::to_string(i); });
        CheckEq(ListCount(dlg, kList), 100000, "a fill of 100,000 rows");
        CheckEq(ListText(dlg, kList, 99999), "\t\tCheese 99999", "the last of 100,000 rows keeps its text");
        ListSetTopIndex(dlg, kList, 70000);
        CheckEq(ListTopIndex(dlg, kList), 70000, "the first visible row past the 65,536th");
        CheckEq(ListItemFromPoint(dlg, kList, first.x, first.y), 70000, "ListItemFromPoint past the 65,536th row");
    }, [](Window, const Event& e) {
        if (e.msg == Msg::ContextMenu) lastPoint = Point{e.x, e.y};
        return 0;
    });
}

}  // namespace
}  // namespace window
