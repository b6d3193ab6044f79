// Checks of the Qt window layer on real Qt widgets and events (run under Qt's
// offscreen platform in the tests): the dialog's size and place, control
// creation, the notification rules the UI relies on (synchronous Change,
// silent ListSetSel, focus notifications, Close ending with 2, the blocked
// owner, the prompt that blocks nothing), the keyboard (Enter's release
// reaching a key hook, Escape, Tab, accelerators, Enter on a focused button)
// and the rows ending at right-aligned tab stops.
// Prints a PASS or FAIL line per check and closes with "N passed, M failed".
#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

#include "platform/qt/qt_hooks.h"
#include "platform/qt/qt_internal.h"

namespace {

using namespace plat;
using plat::qt::ControlOf;
using plat::qt::StateOf;

int passed = 0, failed = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what.c_str());
    std::fflush(stdout);
    (ok ? passed : failed)++;
}

template <class A, class B>
void CheckEq(const A& actual, const B& expected, const std::string& what) {
    bool ok = actual == expected;
    if (!ok) std::printf("  got %lld, expected %lld\n", static_cast<long long>(actual), static_cast<long long>(expected));
    Check(ok, what);
}

struct Seen {
    Msg msg;
    int id;
    Code code;
};
std::vector<Seen> seen;
bool Saw(Msg msg, int id, Code code = Code::None) {
    for (const Seen& s : seen)
        if (s.msg == msg && s.id == id && (code == Code::None || s.code == code)) return true;
    return false;
}
int Count(Msg msg) {
    int n = 0;
    for (const Seen& s : seen) n += s.msg == msg;
    return n;
}

QWidget* W(Window dlg, int id) { return ControlOf(dlg, id)->widget; }
Rect RectOf(Window dlg, int id) {
    QRect r = W(dlg, id)->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

enum : int { kList = 100, kEdit = 101, kLink = 102, kCombo = 103, kHiddenButton = 104, kCheck = 105, kOther = 106,
             kStatus = 200 };

const std::vector<int> kStops = {3, 20, -60, -90};
const char* const kRow = "\tx\tMilk\t2.00\t5.00";

DialogSpec MainSpec() {
    DialogSpec s;
    s.caption = "Layer check";
    s.width = 300;
    s.height = 200;
    s.frame = kCaption | kSysMenu | kMinimizeBox;
    s.controls = {
        {kList, Kind::ListBox, "", {10, 10, 200, 100}, kTabStop | kVScroll | kUseTabStops | kNotify | kDisableNoScroll},
        {kEdit, Kind::Edit, "", {10, 120, 60, 18}, kTabStop | kAutoHScroll | kClientEdge},
        {-1, Kind::Label, "Units", {80, 120, 60, 15}, kStaticEdge},
        {kLink, Kind::Label, "a&b", {80, 140, 60, 15}, kNotify | kNoPrefix},
        {kCombo, Kind::SimpleCombo, "", {220, 10, 70, 100}, kTabStop | kVScroll},
        {1, Kind::Button, "OK", {220, 120, 60, 25}, kDefault},
        {2, Kind::Button, "", {0, 0, 0, 0}, 0},
        {kHiddenButton, Kind::Button, "Hidden", {220, 150, 60, 25}, kHidden},
        {kCheck, Kind::CheckBox, "check", {10, 150, 80, 15}, kTabStop},
        {kOther, Kind::Button, "Other", {100, 160, 60, 25}, 0},
    };
    return s;
}

std::vector<std::pair<int, bool>> keys;  // key hook: vk, down
int closeAnswer = 1;

void Key(QWidget* to, int key, bool down, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(down ? QEvent::KeyPress : QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(to, &e);
}
void Press(QWidget* to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Key(to, key, true, mods);
    Key(to, key, false, mods);
}

// Rightmost dark pixel of the first row between x0 and x1 (list viewport pixels).
int RightmostInk(QListWidget* list, int x0, int x1) {
    QImage image = list->viewport()->grab().toImage();
    QRect row = list->visualItemRect(list->item(0));
    qreal ratio = image.devicePixelRatio();
    int found = -1;
    for (int x = x0; x < x1; ++x)
        for (int y = row.top(); y <= row.bottom(); ++y) {
            QColor c = image.pixelColor(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
            if (c.red() + c.green() + c.blue() < 3 * 128) found = x;
        }
    return found;
}

void InitChecks(Window dlg) {
    qt::DialogState* st = StateOf(dlg);
    CheckEq(st->client->width(), 300, "client area width");
    CheckEq(st->client->height(), 200, "client area height");
    Rect outer = GetWindowRect(dlg), work = WorkArea();
    CheckEq(outer.left, work.left + (work.width - outer.width) / 2, "centred across the work area");
    CheckEq(outer.top, work.top + (work.height - outer.height) / 2, "centred down the work area");
    Check(RectOf(dlg, kEdit) == Rect{10, 120, 60, 18}, "controls are placed in client pixels");
    Check(GetCaption(dlg) == "Layer check", "caption");
    Check(static_cast<QLabel*>(W(dlg, -1))->frameShadow() == QFrame::Sunken, "static edge on a label");
    Check(static_cast<QLabel*>(W(dlg, kLink))->text() == "a&b", "a label without prefix shows its \"&\"");
    Check(!IsVisible(dlg, kHiddenButton) && IsVisible(dlg, kEdit), "hidden and visible controls");

    // An edit's change arrives before SetText returns; so does a simple combo's.
    seen.clear();
    SetText(dlg, kEdit, "12");
    Check(Saw(Msg::Command, kEdit, Code::Change), "SetText on an edit raises Change synchronously");
    Check(GetText(dlg, kEdit) == "12", "edit text reads back");
    seen.clear();
    SetText(dlg, kEdit, "12");
    Check(Saw(Msg::Command, kEdit, Code::Change), "SetText raises Change also for the same text");
    SetText(dlg, kEdit, "K\xC3\xA4se \xE2\x82\xAC");  // UTF-8: "Käse €"
    Check(GetText(dlg, kEdit) == "K\xC3\xA4se \xE2\x82\xAC" &&
              static_cast<QLineEdit*>(W(dlg, kEdit))->text() == QString::fromUtf8("Käse €"),
          "texts are UTF-8 both ways");
    ListAdd(dlg, kCombo, "\xC3\xA9picerie");
    Check(ListText(dlg, kCombo, 0) == "\xC3\xA9picerie", "list texts are UTF-8 both ways");
    ListReset(dlg, kCombo);
    seen.clear();
    SetText(dlg, kCombo, "dairy");
    Check(Saw(Msg::Command, kCombo, Code::Change), "SetText on a simple combo raises Change");

    // Lists: selecting from code is silent.
    ListAdd(dlg, kList, kRow);
    ListAdd(dlg, kList, "\t\tBread\tloaf");
    ListInsert(dlg, kList, 1, "\t\tApples");
    seen.clear();
    ListSetSel(dlg, kList, 1);
    Check(seen.empty(), "ListSetSel raises nothing");
    CheckEq(ListGetSel(dlg, kList), 1, "selection reads back");
    Check(ListText(dlg, kList, 1) == "\t\tApples", "ListInsert places the text");
    CheckEq(ListFindExact(dlg, kList, -1, "\t\tbread\tLOAF"), 2, "ListFindExact ignores case");
    CheckEq(ListFindExact(dlg, kList, -1, "nothing"), -1, "ListFindExact without a match");
    ListDelete(dlg, kList, 1);
    CheckEq(ListCount(dlg, kList), 2, "ListDelete");
    Check(seen.empty(), "ListDelete of the selected entry raises nothing");
    ListAdd(dlg, kCombo, "fruit");
    ListAdd(dlg, kCombo, "dairy");
    CheckEq(ListFindExact(dlg, kCombo, -1, "DAIRY"), 1, "combo lists share the list calls");
    seen.clear();
    ListSetSel(dlg, kCombo, 0);
    Check(GetText(dlg, kCombo) == "fruit" && seen.empty(), "a simple combo's selection fills its field silently");
    ListSetTabStops(dlg, kList, kStops);

    // Focus changes notify, losing side first (the window is not shown yet).
    seen.clear();
    SetFocus(dlg, kList);
    SetFocus(dlg, kEdit);
    Check(seen.size() >= 3 && seen[0].id == kList && seen[0].code == Code::SetFocus && seen[1].id == kList &&
              seen[1].code == Code::KillFocus && seen[2].id == kEdit && seen[2].code == Code::SetFocus,
          "focus notifications: SetFocus, then KillFocus before the next SetFocus");
    CheckEq(GetFocus(dlg), kEdit, "GetFocus names the edit");
    SetFocus(dlg, kCombo);
    CheckEq(GetFocus(dlg), kCombo, "GetFocus names a combo box for its edit field");
    Check(Saw(Msg::Command, kCombo, Code::SetFocus), "a combo box reports its focus");

    seen.clear();
    CheckEq(SendUser(dlg, 1524), 77, "SendUser returns the callback's answer");
    Check(Saw(Msg::User, 1524), "SendUser arrives as User with its number");
    SendCommand(dlg, kList, Code::SelChange);
    SendCommand(dlg, kEdit, Code::KillFocus);
    SendCommand(dlg, 5000);
    Check(Saw(Msg::Command, kList, Code::SelChange) && Saw(Msg::Command, kEdit, Code::KillFocus) &&
              Saw(Msg::Command, 5000, Code::Clicked),
          "SendCommand keeps id and code");

    SetCheck(dlg, kCheck, true);
    Check(GetCheck(dlg, kCheck), "check mark reads back");

    // Fonts and measuring; "MS Sans Serif" gets a stand-in of the same size.
    Font f = CreateFont(FontSpec{"MS Sans Serif", -(8 * ScreenDpiY() + 36) / 72, 400});
    Check(f != 0, "CreateFont");
    Size abc = MeasureText(f, "abc");
    Check(abc.cx > 0 && abc.cy >= 11 && abc.cy <= 16, "a stand-in of the same size for a missing face");
    CheckEq(FitCharacters(f, "abcdef", abc.cx), 3, "FitCharacters agrees with MeasureText");
    CheckEq(FitCharacters(f, "abcdef", abc.cx - 1), 2, "FitCharacters stops before a partial character");
    Check(GetControlFont(dlg, kEdit) != 0, "controls carry the dialog font");
    SetControlFont(dlg, kLink, f);
    CheckEq(GetControlFont(dlg, kLink), f, "SetControlFont / GetControlFont");

    // Status bar and menu, added during initialisation.
    ControlSpec status;
    status.id = kStatus;
    status.kind = Kind::StatusBar;
    AddControl(dlg, status);
    SetStatusParts(dlg, kStatus, {100, 200, -1});
    SetStatusText(dlg, kStatus, 1, "Items to buy:  2");
    Check(GetStatusText(dlg, kStatus, 1) == "Items to buy:  2", "status text reads back");
    Rect before = GetWindowRect(dlg);
    MenuItem task{"&Task", 0, {}};
    task.items = {MenuItem{"&Buy", 315, {}}, MenuItem{"", 0, {}}, MenuItem{"&Categories", 324, {}}};
    Menu bar = CreateMenuBar({task});
    SetMenu(dlg, bar);
    Check(GetWindowRect(dlg) == before, "attaching the menu keeps the outer size");
    Check(st->client->height() < 200, "the menu bar takes its height from the client area");
    SetMenuItemText(bar, 315, "Don't buy");
    Check(GetMenuItemText(bar, 315) == "Don't buy", "menu text is found through the pop-ups");
    Rect bottom = RectOf(dlg, kStatus);
    CheckEq(bottom.top + bottom.height, st->client->height(), "status bar at the bottom");

    SetKeyHook(dlg, kList, [](Window, int id, int vk, bool down) {
        if (id == kList) keys.emplace_back(vk, down);
    });
    SetAccelerators(dlg, {{kVkUp, true, 225}, {kVkDown, true, 226}});
    SetColors(dlg, kLink, 0xFF0000, -1);  // blue (0x00BBGGRR)
}

void ShownChecks(Window dlg) {
    auto* list = static_cast<QListWidget*>(W(dlg, kList));
    ListSetSel(dlg, kList, -1);
    QFont font = list->font();
    int avg = qt::AverageCharWidth(font);
    auto px = [avg](int units) { return (units * avg + 2) / 4; };
    int units = px(60), cost = px(90);
    int unitsInk = RightmostInk(list, px(21), units + 4);
    int costInk = RightmostInk(list, units + 4, cost + 4);
    std::printf("  units stop %d px, ink ends %d; cost stop %d px, ink ends %d\n", units, unitsInk, cost, costInk);
    Check(unitsInk >= units - 3 && unitsInk <= units, "units text ends at its right-aligned stop");
    Check(costInk >= cost - 3 && costInk <= cost, "cost text ends at its right-aligned stop");
    int markInk = RightmostInk(list, 0, px(20));
    Check(markInk >= px(3) && markInk < px(20), "the mark starts at its left stop");

    Check(W(dlg, kLink)->palette().color(QPalette::WindowText) == QColor(0, 0, 255), "label text colour");

    // Pointer and right button over controls reach the dialog with the control's id.
    seen.clear();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(W(dlg, kLink), &enter);
    QApplication::sendEvent(StateOf(dlg)->client, &enter);
    Check(Saw(Msg::SetCursor, kLink) && Saw(Msg::SetCursor, -1), "SetCursor names the control, -1 for none");
    CheckEq(static_cast<int>(W(dlg, kLink)->cursor().shape()), static_cast<int>(Qt::PointingHandCursor),
            "the callback's cursor is shown over the control");
    QPoint inRow = list->visualItemRect(list->item(0)).center();
    QContextMenuEvent context(QContextMenuEvent::Mouse, inRow, list->viewport()->mapToGlobal(inRow));
    QApplication::sendEvent(list->viewport(), &context);
    Check(Saw(Msg::ContextMenu, kList), "a right click on the list asks for the context menu");
    QPoint at = list->viewport()->mapToGlobal(inRow);
    CheckEq(ListItemFromPoint(dlg, kList, at.x(), at.y()), 0, "ListItemFromPoint on the first row");
    QPoint below = list->viewport()->mapToGlobal(QPoint(5, 95));
    CheckEq(ListItemFromPoint(dlg, kList, below.x(), below.y()), -1, "ListItemFromPoint below the last row");

    // The keyboard: real key events to the focused control.
    SetFocus(dlg, kList);
    Check(QApplication::focusWidget() == list, "SetFocus moves Qt's focus when the window is shown");
    seen.clear();
    keys.clear();
    Press(list, Qt::Key_Return);
    Check(Saw(Msg::Command, 1, Code::Clicked), "Enter sends the default button's id");
    bool downSeen = false, upSeen = false;
    for (auto [vk, down] : keys) {
        downSeen |= vk == kVkReturn && down;
        upSeen |= vk == kVkReturn && !down;
    }
    Check(downSeen && upSeen, "the press and the release of Enter reach the list's key hook");
    seen.clear();
    Key(list, Qt::Key_Escape, true);
    Check(Saw(Msg::Command, 2, Code::Clicked), "Escape sends 2");
    seen.clear();
    Press(list, Qt::Key_Up, Qt::ShiftModifier);
    Check(Saw(Msg::Command, 225, Code::Clicked), "Shift+Up gives the accelerator's command");
    Check(ListGetSel(dlg, kList) <= 0, "the accelerator's key does not move the list");
    seen.clear();
    Press(list, Qt::Key_Down);
    CheckEq(ListGetSel(dlg, kList), 0, "Down moves the list's selection");
    Check(Saw(Msg::Command, kList, Code::SelChange), "a selection by the user notifies");

    SetDefaultButton(dlg, 1, false);
    SetDefaultButton(dlg, kOther, true);
    seen.clear();
    Press(list, Qt::Key_Return);
    Check(Saw(Msg::Command, kOther, Code::Clicked) && !Saw(Msg::Command, 1), "SetDefaultButton makes Enter's target");
    SetDefaultButton(dlg, kOther, false);
    seen.clear();
    Press(list, Qt::Key_Return);
    Check(Saw(Msg::Command, 1, Code::Clicked), "without a default button Enter sends 1");
    SetDefaultButton(dlg, 1, true);

    SetFocus(dlg, kOther);
    seen.clear();
    Press(W(dlg, kOther), Qt::Key_Return);
    Check(Saw(Msg::Command, kOther, Code::Clicked) && !Saw(Msg::Command, 1), "Enter on a focused push button sends its id");

    SetFocus(dlg, kList);
    seen.clear();
    Press(list, Qt::Key_Tab);
    CheckEq(GetFocus(dlg), kEdit, "Tab moves from the list to the next tab stop");
    Check(Saw(Msg::Command, kList, Code::KillFocus) && Saw(Msg::Command, kEdit, Code::SetFocus),
          "Tab notifies both sides");
    seen.clear();
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, "5");
    QApplication::sendEvent(W(dlg, kEdit), &typed);
    Check(Saw(Msg::Command, kEdit, Code::Change), "typing into an edit raises Change");

    RemoveKeyHook(dlg, kList);
    keys.clear();
    Press(list, Qt::Key_Down);
    Check(keys.empty(), "RemoveKeyHook stops the hook");

    seen.clear();
    auto* check = static_cast<QAbstractButton*>(W(dlg, kCheck));
    check->click();
    Check(Saw(Msg::Command, kCheck, Code::Clicked) && !GetCheck(dlg, kCheck), "a click toggles the check box and notifies");
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(W(dlg, kLink), &press);
    QApplication::sendEvent(W(dlg, kLink), &release);
    Check(Saw(Msg::Command, kLink, Code::Clicked), "a notifying label reports its click");

    // A child dialog blocks its owner; an unanswered Close ends it with 2.
    static bool ownerBlocked = false, ownerFlag = true;
    static int childDestroys = 0;
    DialogSpec child;
    child.caption = "Child";
    child.width = 120;
    child.height = 60;
    child.owner = dlg;
    child.controls = {{1, Kind::Button, "OK", {10, 10, 60, 25}, kDefault}};
    int childResult = RunDialog(child, [dlg](Window c, const Event& e) {
        if (e.msg == Msg::Init) {
            QTimer::singleShot(0, [c, dlg] {
                ownerBlocked = QApplication::activeModalWidget() == StateOf(c)->frame;
                ownerFlag = StateOf(dlg)->enabled;
                StateOf(c)->frame->close();  // the close box
            });
        } else if (e.msg == Msg::Destroy) {
            ++childDestroys;
        }
        return 0;
    });
    Check(ownerBlocked && !ownerFlag, "the owner takes no input while a child dialog runs");
    CheckEq(childResult, 2, "Close answered with 0 ends the dialog with 2");
    CheckEq(childDestroys, 1, "Destroy arrives once");
    Check(StateOf(dlg)->enabled, "the owner is enabled again afterwards");

    // The standard prompt has no owner: nothing is blocked while it waits.
    static bool promptBlocks = true;
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                promptBlocks = QApplication::activeModalWidget() != nullptr;
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == "&No") b->click();
            }
    });
    int answer = Prompt("Save the list?", "Check", 0x4 | 0x20);
    CheckEq(answer, 7, "the prompt answers with the button's number");
    Check(!promptBlocks, "a prompt blocks no window");

    // Printing through the print dialog's path (answered here), into a PDF file.
    qt::Hooks().printerDialog = [](Window, const std::string&) { return true; };
    Check(PrinterChooseAndOpen(dlg, "Check"), "a printer opens");
    Check(PrinterDpiY() > 0 && PrinterLinesPerPage() > 20 && PrinterCharSize().cx > 0, "printer geometry");
    PrinterText("Milk   2.00");
    Check(PrinterPosition().x > 0, "printing a text moves the position");
    PrinterNewLine();
    Check(PrinterPosition().x == 0 && PrinterPosition().y == PrinterCharSize().cy, "a new line");
    PrinterClose();
    qt::Hooks().printerDialog = nullptr;
    QFile pdf(QDir::temp().filePath("pantrium-test-print.pdf"));
    Check(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-", "the job is a PDF file");

    closeAnswer = 1;
    SendClose(dlg);
    Check(StateOf(dlg) && !StateOf(dlg)->ended, "Close answered with 1 keeps the dialog");
    EndDialog(dlg, 7);
}

int MainCallback(Window dlg, const Event& e) {
    seen.push_back({e.msg, e.id, e.code});
    switch (e.msg) {
    case Msg::Init:
        InitChecks(dlg);
        QTimer::singleShot(50, [dlg] { ShownChecks(dlg); });
        return 0;
    case Msg::User: return e.id == 1524 ? 77 : 1;
    case Msg::Close: return closeAnswer;
    case Msg::SetCursor:
        if (e.id != kLink) return 0;
        SetCursor(Cursor::Hand);
        return 1;
    default: return 0;
    }
}

void DialogUnitChecks() {
    DialogSpec s;
    s.caption = "Units";
    s.width = 200;
    s.height = 140;
    s.dialogUnits = true;
    s.frame = kCaption | kSysMenu | kModalFrame;
    s.controls = {{1, Kind::Button, "OK", {85, 90, 50, 25}, 0}, {-1, Kind::Icon, "", {10, 10, 30, 30}, 0}};
    int r = RunDialog(s, [](Window dlg, const Event& e) {
        if (e.msg != Msg::Init) return 0;
        qt::DialogState* st = StateOf(dlg);
        int bx = qt::AverageCharWidth(st->font), by = QFontMetrics(st->font).height();
        Check(RectOf(dlg, 1) == Rect{(85 * bx + 2) / 4, (90 * by + 4) / 8, (50 * bx + 2) / 4, (25 * by + 4) / 8},
              "dialog-unit controls are mapped by the font's base units");
        Check(st->client->width() == (200 * bx + 2) / 4 && st->client->height() == (140 * by + 4) / 8,
              "dialog-unit client size");
        SetControlIcon(dlg, -1, SystemIcon::Information);
        Check(!static_cast<QLabel*>(W(dlg, -1))->pixmap().isNull(), "a system icon is shown");
        EndDialog(dlg, 5);
        return 1;
    });
    CheckEq(r, 5, "EndDialog during Init gives its result");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    DialogUnitChecks();
    int r = RunDialog(MainSpec(), MainCallback);
    CheckEq(r, 7, "RunDialog returns the EndDialog value");
    CheckEq(Count(Msg::Destroy), 1, "the dialog gets Destroy");
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
