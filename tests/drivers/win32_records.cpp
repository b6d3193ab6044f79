// What the program asked of the Win32 layer, read back from the windows
// themselves (styles, limits, icons, menus), from the layer's state (the
// spec a dialog runs, colours, tab stops, key hooks), from two message hooks
// of the thread (the dialogs as they start, the pop-up menus as they track)
// and from stand-ins for four system calls in the program's import table:
// fonts made and deleted are counted, and beeps and shell requests are
// recorded instead of being done. Help requests go to the stand-in help
// viewer (win32_help_stand_in.cpp).
#include "drivers/win32_records.h"

#include "drivers/layer_records.h"
#include "platform/window/win32/win32_state.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstring>
#include <deque>
#include <set>

namespace drivers {
namespace {

using plat::win32::FromHwnd;
using plat::win32::Layer;
using plat::win32::StateOf;
using plat::win32::ToHwnd;

struct Records {
    std::vector<std::pair<HWND, plat::DialogSpec>> started;  // every WM_INITDIALOG, the layer's filled in
    std::vector<bool> known;                                 // started[i] has the layer's spec
    std::vector<plat::DialogSpec> dialogsRun;
    std::map<HWND, plat::DialogSpec> specs;  // kept after the dialog ended
    std::vector<PopupRecord> popups;
    std::deque<int> popupAnswers;
    std::vector<std::string> popupFailures;
    bool tracking = false;
    HWND dismissed = nullptr;  // a control's own menu, sent an Escape
    UINT_PTR pickTimer = 0;
    std::vector<std::pair<std::string, bool>> shellOpens;
    std::vector<int> beeps;
    std::set<HGDIOBJ> fonts;
    std::vector<plat::FileDialogRequest> fileDialogs;
};
Records& R() {
    static Records r;
    return r;
}

// ---- stand-ins in the import table ----

using CreateFontFn = HFONT(WINAPI*)(int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                                    DWORD, LPCSTR);
using DeleteObjectFn = BOOL(WINAPI*)(HGDIOBJ);
CreateFontFn realCreateFont = nullptr;
DeleteObjectFn realDeleteObject = nullptr;

HFONT WINAPI CountedCreateFont(int h, int w, int esc, int orient, int weight, DWORD italic, DWORD underline,
                               DWORD strike, DWORD charset, DWORD precision, DWORD clip, DWORD quality,
                               DWORD pitch, LPCSTR face) {
    HFONT f = realCreateFont(h, w, esc, orient, weight, italic, underline, strike, charset, precision, clip, quality,
                             pitch, face);
    if (f) R().fonts.insert(f);
    return f;
}
BOOL WINAPI CountedDeleteObject(HGDIOBJ object) {
    R().fonts.erase(object);
    return realDeleteObject(object);
}
BOOL WINAPI RecordedBeep(UINT type) {
    R().beeps.push_back(static_cast<int>(type));
    return TRUE;
}
HINSTANCE WINAPI RecordedShellExecute(HWND, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, INT show) {
    R().shellOpens.emplace_back(plat::win32::FromWide(file ? file : L""), show == SW_SHOWMAXIMIZED);
    return reinterpret_cast<HINSTANCE>(33);  // above 32: done
}

// The file dialogs: the request is recorded as the layer passes it, then
// the dialog shows and the driver's watcher answers it.
using FileDialogFn = BOOL(WINAPI*)(OPENFILENAMEW*);
FileDialogFn realOpen = nullptr, realSave = nullptr;

std::string Narrow(const wchar_t* text, size_t length) {
    std::string out;
    if (!text || length == 0) return out;
    const int n = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    out.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
    return out;
}
void RecordRequest(const OPENFILENAMEW& ofn) {
    plat::FileDialogRequest r;
    r.owner = FromHwnd(ofn.hwndOwner);
    r.title = ofn.lpstrTitle ? Narrow(ofn.lpstrTitle, wcslen(ofn.lpstrTitle)) : "";
    r.fileName = plat::win32::FromWide(ofn.lpstrFile ? ofn.lpstrFile : L"");
    r.bufferSize = static_cast<int>(ofn.nMaxFile);
    r.initialDir = plat::win32::FromWide(ofn.lpstrInitialDir ? ofn.lpstrInitialDir : L"");
    if (ofn.lpstrFilter) {  // up to and with the double NUL
        size_t n = 0;
        while (ofn.lpstrFilter[n] || ofn.lpstrFilter[n + 1]) ++n;
        r.filter = Narrow(ofn.lpstrFilter, n + 2);
    }
    r.filterIndex = static_cast<int>(ofn.nFilterIndex);
    r.defExt = ofn.lpstrDefExt ? Narrow(ofn.lpstrDefExt, wcslen(ofn.lpstrDefExt)) : "";
    r.flags = ofn.Flags;
    R().fileDialogs.push_back(r);
}
BOOL WINAPI RecordedOpen(OPENFILENAMEW* ofn) {
    RecordRequest(*ofn);
    return realOpen(ofn);
}
BOOL WINAPI RecordedSave(OPENFILENAMEW* ofn) {
    RecordRequest(*ofn);
    return realSave(ofn);
}

// Points the program's import of dll!name at replacement; returns the entry it held.
void* Replace(const char* dll, const char* name, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + imp->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) continue;
            DWORD old = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
            void* original = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            return original;
        }
    }
    return nullptr;
}

// ---- the dialogs as they start ----

// A dialog's spec is known once the layer holds its state, which it takes at
// the start of WM_INITDIALOG: the outer dialog's is there while a dialog
// opened during its start begins.
void FillStarted() {
    Records& r = R();
    for (size_t i = 0; i < r.started.size(); ++i) {
        if (r.known[i]) continue;
        if (plat::win32::DialogState* st = StateOf(r.started[i].first)) {
            r.started[i].second = st->spec;
            r.known[i] = true;
            r.specs[r.started[i].first] = st->spec;
        }
    }
}

// ---- pop-up menus ----

BOOL CALLBACK FindMenuWindow(HWND h, LPARAM param) {
    char cls[16] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (!IsWindowVisible(h) || std::strcmp(cls, "#32768") != 0) return TRUE;
    *reinterpret_cast<HWND*>(param) = h;
    return FALSE;
}

void PostKey(HWND to, UINT vk) {
    const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    PostMessageA(to, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageA(to, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

// Once the menu shows, the user picks the item with the keyboard, as a
// person can: Down from the first item to it (separators are passed over),
// then Enter; Escape dismisses the menu.
void CALLBACK PickFromMenu(HWND, UINT, UINT_PTR, DWORD) {
    Records& r = R();
    HWND shown = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&shown));
    if (!shown) return;
    KillTimer(nullptr, r.pickTimer);
    r.pickTimer = 0;
    if (r.popups.empty()) return;
    PopupRecord& popup = r.popups.back();
    RECT at{};
    GetWindowRect(shown, &at);
    const int dpi = plat::win32::WindowDpi(shown);
    popup.x = plat::win32::ToLayer(at.left, dpi);
    popup.y = plat::win32::ToLayer(at.top, dpi);

    int answer = 0;
    if (r.popupAnswers.empty()) {
        r.popupFailures.push_back("unscripted pop-up menu");
    } else {
        answer = r.popupAnswers.front();
        r.popupAnswers.pop_front();
    }
    HMENU menu = reinterpret_cast<HMENU>(popup.menu);
    HWND owner = ToHwnd(popup.owner);
    int downs = 0;
    bool found = false;
    for (int i = 0; answer != 0 && i < GetMenuItemCount(menu) && !found; ++i) {
        if (!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)) ++downs;
        found = GetMenuItemID(menu, i) == static_cast<UINT>(answer);
    }
    if (answer != 0 && !found) r.popupFailures.push_back("the pop-up menu has no item " + std::to_string(answer));
    if (!found) {
        PostKey(owner, VK_ESCAPE);
        return;
    }
    popup.chosen = answer;
    for (int i = 0; i < downs; ++i) PostKey(owner, VK_DOWN);
    PostMessageA(owner, WM_CHAR, '\r', 1 | (MapVirtualKeyA(VK_RETURN, MAPVK_VK_TO_VSC) << 16));
}

LRESULT CALLBACK BeforeMessage(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    Records& r = R();
    if (code == HC_ACTION) {
        switch (m->message) {
        case WM_INITDIALOG:
            FillStarted();
            r.started.emplace_back(m->hwnd, plat::DialogSpec{});
            r.known.push_back(false);
            break;
        case WM_ENTERMENULOOP:
            if (m->wParam && StateOf(m->hwnd)) {  // TrackPopupMenu on one of the layer's dialogs
                r.tracking = true;
                r.popups.push_back({0, 0, 0, FromHwnd(m->hwnd), {}, 0});
            }
            break;
        case WM_INITMENUPOPUP:
            if (r.tracking && !r.popups.empty() && r.popups.back().menu == 0) {
                r.popups.back().menu = static_cast<plat::Menu>(m->wParam);
                r.popups.back().items = MenuItems(r.popups.back().menu);
                if (!r.pickTimer) r.pickTimer = SetTimer(nullptr, 0, 20, PickFromMenu);
            }
            break;
        case WM_EXITMENULOOP:
            if (r.tracking && m->wParam) {
                r.tracking = false;
                if (r.pickTimer) KillTimer(nullptr, r.pickTimer);
                r.pickTimer = 0;
            }
            break;
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// A WM_INITDIALOG the layer did not take was another dialog's (a message box, a common dialog).
LRESULT CALLBACK AfterMessage(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lp);
    if (code == HC_ACTION && m->message == WM_INITDIALOG) {
        FillStarted();
        Records& r = R();
        for (size_t i = 0; i < r.started.size(); ++i)
            if (r.started[i].first == m->hwnd && !r.known[i]) {
                r.started.erase(r.started.begin() + static_cast<long>(i));
                r.known.erase(r.known.begin() + static_cast<long>(i));
                break;
            }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void InstallOnce() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    SetWindowsHookExW(WH_CALLWNDPROC, BeforeMessage, nullptr, GetCurrentThreadId());
    SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
    realCreateFont = reinterpret_cast<CreateFontFn>(
        Replace("gdi32.dll", "CreateFontA", reinterpret_cast<void*>(CountedCreateFont)));
    realDeleteObject = reinterpret_cast<DeleteObjectFn>(
        Replace("gdi32.dll", "DeleteObject", reinterpret_cast<void*>(CountedDeleteObject)));
    Replace("user32.dll", "MessageBeep", reinterpret_cast<void*>(RecordedBeep));
    Replace("shell32.dll", "ShellExecuteW", reinterpret_cast<void*>(RecordedShellExecute));
    realOpen = reinterpret_cast<FileDialogFn>(
        Replace("comdlg32.dll", "GetOpenFileNameW", reinterpret_cast<void*>(RecordedOpen)));
    realSave = reinterpret_cast<FileDialogFn>(
        Replace("comdlg32.dll", "GetSaveFileNameW", reinterpret_cast<void*>(RecordedSave)));
    // The help viewer's stand-in, found by the layer's LoadLibrary("hhctrl.ocx") from now on.
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe);
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"ui-tests-help\\hhctrl.ocx";
    LoadLibraryW(path.c_str());
}

using HelpRequestFn = int(WINAPI*)(int, wchar_t*, int);
using ForgetHelpFn = void(WINAPI*)();
HMODULE HelpStandIn() { return GetModuleHandleA("hhctrl.ocx"); }

HWND Control(plat::Window dlg, int id) { return GetDlgItem(ToHwnd(dlg), id); }

std::string ClassOf(HWND h) {
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    return name;
}

// The resource name of a program icon the layer loaded, "" for none.
std::string ProgramIconName(HICON icon) {
    for (const auto& [key, loaded] : Layer().programIcons)
        if (icon && loaded == icon) return key.first;
    return {};
}

}  // namespace

namespace win32 {

void ResetRecords() {
    InstallOnce();
    Records& r = R();
    r.started.clear();
    r.known.clear();
    r.dialogsRun.clear();
    r.specs.clear();
    r.popups.clear();
    r.popupAnswers.clear();
    r.popupFailures.clear();
    r.shellOpens.clear();
    r.beeps.clear();
    r.fonts.clear();
    r.fileDialogs.clear();
    if (auto forget = reinterpret_cast<ForgetHelpFn>(
            reinterpret_cast<void*>(GetProcAddress(HelpStandIn(), "UiTestForgetHelpRequests"))))
        forget();
}

const std::vector<plat::FileDialogRequest>& FileDialogRequests() { return R().fileDialogs; }

void AnswerNextPopup(int id) { R().popupAnswers.push_back(id); }
// A control's own context menu (an edit field's) tracks without telling its
// owner: the user closes it again with Escape, once.
bool PopupTracking() {
    Records& r = R();
    if (r.tracking) return true;
    HWND shown = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&shown));
    if (shown && shown != r.dismissed) PostKey(shown, VK_ESCAPE);
    r.dismissed = shown;
    return shown != nullptr;
}

std::vector<std::string> TakePopupFailures() {
    Records& r = R();
    std::vector<std::string> taken;
    taken.swap(r.popupFailures);
    for (int id : r.popupAnswers) taken.push_back("no pop-up menu came for the choice " + std::to_string(id));
    r.popupAnswers.clear();
    return taken;
}

}  // namespace win32

const std::vector<plat::DialogSpec>& DialogsRun() {
    FillStarted();
    Records& r = R();
    r.dialogsRun.clear();
    for (size_t i = 0; i < r.started.size(); ++i)
        if (r.known[i]) r.dialogsRun.push_back(r.started[i].second);
    return r.dialogsRun;
}
const std::vector<PopupRecord>& Popups() { return R().popups; }

// The Win32 layer prints with GDI or into a PDF file; it keeps no list of
// the operations (the tests that count printed lines are left out here).
const std::vector<PrinterOp>& PrinterOps() {
    static const std::vector<PrinterOp> none;
    return none;
}
const std::vector<std::pair<std::string, bool>>& ShellOpens() { return R().shellOpens; }

const std::vector<std::string>& HelpRequests() {
    static std::vector<std::string> requests;
    requests.clear();
    auto request = reinterpret_cast<HelpRequestFn>(
        reinterpret_cast<void*>(GetProcAddress(HelpStandIn(), "UiTestHelpRequest")));
    const int n = request ? request(-1, nullptr, 0) : 0;
    for (int i = 0; i < n; ++i) {
        wchar_t file[2048] = {};
        request(i, file, 2048);
        requests.push_back(plat::win32::FromWide(file));
    }
    return requests;
}
const std::vector<int>& Beeps() { return R().beeps; }

plat::Cursor CurrentCursor() {
    HCURSOR now = GetCursor();
    if (now && now == LoadCursorA(nullptr, IDC_WAIT)) return plat::Cursor::Wait;
    if (now && now == Layer().handCursor) return plat::Cursor::Hand;
    return plat::Cursor::Arrow;
}
int LiveFonts() { return static_cast<int>(R().fonts.size()); }

const plat::DialogSpec& SpecOf(plat::Window dlg) {
    static const plat::DialogSpec none;
    if (plat::win32::DialogState* st = StateOf(ToHwnd(dlg))) return st->spec;
    FillStarted();
    auto it = R().specs.find(ToHwnd(dlg));
    return it == R().specs.end() ? none : it->second;
}

std::vector<plat::Window> OpenDialogs() {
    std::vector<plat::Window> out;
    FillStarted();
    for (const auto& [h, spec] : R().started)
        if (StateOf(h)) out.push_back(FromHwnd(h));
    return out;
}

// The window's own style bits, read back in the layer's terms.
unsigned ControlStyle(plat::Window dlg, int id) {
    HWND h = Control(dlg, id);
    if (!h) return 0;
    const auto style = static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE));
    const auto ex = static_cast<DWORD>(GetWindowLongA(h, GWL_EXSTYLE));
    const plat::Kind kind = ControlKind(dlg, id);
    unsigned s = 0;
    if (style & WS_TABSTOP) s |= plat::kTabStop;
    if (style & WS_VSCROLL) s |= plat::kVScroll;
    if (!(style & WS_VISIBLE)) s |= plat::kHidden;
    if (ex & WS_EX_STATICEDGE) s |= plat::kStaticEdge;
    if ((ex & WS_EX_CLIENTEDGE) && kind != plat::Kind::Edit) s |= plat::kClientEdge;
    switch (kind) {
    case plat::Kind::Label:
        if ((style & SS_TYPEMASK) == SS_CENTER) s |= plat::kCenter;
        if (style & SS_NOTIFY) s |= plat::kNotify;
        if (style & SS_NOPREFIX) s |= plat::kNoPrefix;
        break;
    case plat::Kind::Edit:
        if (style & ES_AUTOHSCROLL) s |= plat::kAutoHScroll;
        break;
    case plat::Kind::ListBox:
        if (style & LBS_NOTIFY) s |= plat::kNotify;
        if (style & LBS_USETABSTOPS) s |= plat::kUseTabStops;
        if (style & LBS_DISABLENOSCROLL) s |= plat::kDisableNoScroll;
        if (style & LBS_NOINTEGRALHEIGHT) s |= plat::kNoIntegralHeight;
        break;
    case plat::Kind::Button:
        if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) s |= plat::kDefault;
        if ((style & BS_CENTER) == BS_CENTER) s |= plat::kCenter;
        break;
    case plat::Kind::DropList:
    case plat::Kind::SimpleCombo:
        if (style & CBS_NOINTEGRALHEIGHT) s |= plat::kNoIntegralHeight;
        break;
    default:
        break;
    }
    return s;
}

plat::Kind ControlKind(plat::Window dlg, int id) { return plat::win32::KindOf(dlg, id); }

// The dialog's children in creation order (the order of the window list).
std::vector<int> ControlIds(plat::Window dlg) {
    std::vector<int> ids;
    for (HWND h = GetWindow(ToHwnd(dlg), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        ids.push_back(plat::win32::ControlId(h));
    return ids;
}

// An edit field without a limit of its own holds the system's most.
int TextLimit(plat::Window dlg, int id) {
    HWND h = Control(dlg, id);
    if (h && ClassOf(h) == "ComboBox") h = FindWindowExA(h, nullptr, "Edit", nullptr);
    if (!h) return 0;
    const auto limit = static_cast<int>(SendMessageA(h, EM_GETLIMITTEXT, 0, 0));
    return limit >= 30000 ? 0 : limit;
}

std::vector<int> TabStops(plat::Window dlg, int id) {
    plat::win32::DialogState* st = StateOf(ToHwnd(dlg));
    if (!st) return {};
    auto it = st->tabStops.find(id);
    return it == st->tabStops.end() ? std::vector<int>{} : it->second;
}

std::vector<int> StatusParts(plat::Window dlg, int id) {
    HWND bar = Control(dlg, id);
    if (!bar) return {};
    INT edges[64] = {};
    const int n = static_cast<int>(SendMessageA(bar, SB_GETPARTS, 64, reinterpret_cast<LPARAM>(edges)));
    const int dpi = plat::win32::WindowDpi(ToHwnd(dlg));
    std::vector<int> out;
    for (int i = 0; i < n; ++i) out.push_back(edges[i] < 0 ? -1 : plat::win32::ToLayer(edges[i], dpi));
    return out;
}

std::pair<int, int> ControlColors(plat::Window dlg, int id) {
    plat::win32::DialogState* st = StateOf(ToHwnd(dlg));
    if (!st) return {-1, -1};
    auto it = st->colors.find(id);
    return it == st->colors.end() ? std::make_pair(-1, -1) : std::make_pair(it->second.text, it->second.back);
}

// The system icon whose handle the control shows (the layer loads each once).
plat::SystemIcon ControlIcon(plat::Window dlg, int id) {
    const auto icon = reinterpret_cast<HICON>(SendMessageA(Control(dlg, id), STM_GETICON, 0, 0));
    const std::pair<int, plat::SystemIcon> numbers[] = {{103, plat::SystemIcon::Stop},
                                                        {102, plat::SystemIcon::Question},
                                                        {101, plat::SystemIcon::Exclamation},
                                                        {104, plat::SystemIcon::Information}};
    for (const auto& [key, loaded] : Layer().systemIcons)
        if (icon && loaded == icon)
            for (auto [number, which] : numbers)
                if (key.first == number) return which;
    return plat::SystemIcon::None;
}

std::string ControlImage(plat::Window dlg, int id) {
    return ProgramIconName(reinterpret_cast<HICON>(SendMessageA(Control(dlg, id), STM_GETICON, 0, 0)));
}

std::string DialogIcon(plat::Window dlg) {
    return ProgramIconName(reinterpret_cast<HICON>(SendMessageA(ToHwnd(dlg), WM_GETICON, ICON_SMALL, 0)));
}

// A hooked combo box has the hook on its edit field.
bool HasKeyHook(plat::Window dlg, int id) {
    HWND h = Control(dlg, id);
    if (!h) return false;
    const auto& hooked = Layer().hooked;
    if (hooked.count(h)) return true;
    HWND edit = FindWindowExA(h, nullptr, "Edit", nullptr);
    return edit && hooked.count(edit);
}

std::pair<int, int> EditSelection(plat::Window dlg, int id) {
    HWND h = Control(dlg, id);
    if (h && ClassOf(h) == "ComboBox") h = FindWindowExA(h, nullptr, "Edit", nullptr);
    DWORD start = 0, end = 0;
    if (h) SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

plat::Menu MenuOf(plat::Window dlg) { return reinterpret_cast<plat::Menu>(GetMenu(ToHwnd(dlg))); }

std::vector<plat::MenuItem> MenuItems(plat::Menu menu) {
    std::vector<plat::MenuItem> items;
    HMENU h = reinterpret_cast<HMENU>(menu);
    const int n = h ? GetMenuItemCount(h) : 0;
    for (int i = 0; i < n; ++i) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(h, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            items.push_back({});
        } else if (info.hSubMenu) {
            items.push_back({text, 0, MenuItems(reinterpret_cast<plat::Menu>(info.hSubMenu))});
        } else {
            items.push_back({text, static_cast<int>(info.wID), {}});
        }
    }
    return items;
}

bool IsTopMost(plat::Window dlg) { return (GetWindowLongA(ToHwnd(dlg), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

}  // namespace drivers
