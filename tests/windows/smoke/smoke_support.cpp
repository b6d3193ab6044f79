#include "smoke_support.h"

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace smoke {

int failures = 0;
DWORD guiThreadId = 0;

namespace {

constexpr UINT kSendTimeoutMs = 5000;

struct FindData {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK FindTop(HWND window, LPARAM param) {
    auto* data = reinterpret_cast<FindData*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    char buffer[256] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    if (data->caption == buffer) {
        data->found = window;
        return FALSE;
    }
    return TRUE;
}

struct ChildSearch {
    std::string className, text;
    HWND found = nullptr;
    std::vector<std::string> texts = {};  // every text of the class, in order
};

BOOL CALLBACK FindChild(HWND window, LPARAM param) {
    auto* data = reinterpret_cast<ChildSearch*>(param);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpiA(cls, data->className.c_str()) != 0) return TRUE;
    const std::string text = Text(window);
    data->texts.push_back(text);
    if (!data->found && text == data->text) data->found = window;
    return TRUE;
}

LPARAM RowPoint(HWND list, int index) {
    RECT item = {};
    SendMessageTimeoutA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item), SMTO_NORMAL,
                        kSendTimeoutMs, nullptr);
    return MAKELPARAM(item.left + 40, (item.top + item.bottom) / 2);
}

}  // namespace

int TimeFactor() {
    static const int factor = [] {
        const char* text = std::getenv("PANTRIUM_SMOKE_TIME_FACTOR");
        const int f = text ? std::atoi(text) : 1;
        return f >= 1 ? f : 1;
    }();
    return factor;
}

int Px(int layoutPixels) {
    static const int dpi = [] {
        HDC dc = GetDC(nullptr);
        const int d = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        return d;
    }();
    return MulDiv(layoutPixels, dpi, 96);
}

LRESULT Send(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

void Log(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\t') out += "\\t";
        else if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

bool Check(bool ok, const std::string& what) {
    Log((ok ? "PASS: " : "FAIL: ") + what);
    if (!ok) ++failures;
    return ok;
}

bool CheckEq(const std::string& actual, const std::string& expected, const std::string& what) {
    if (actual == expected) return Check(true, what);
    return Check(false, what + ": got \"" + Escaped(actual) + "\", expected \"" + Escaped(expected) +
                            "\"");
}

bool CheckEq(long long actual, long long expected, const std::string& what) {
    if (actual == expected) return Check(true, what);
    return Check(false, what + ": got " + std::to_string(actual) + ", expected " +
                            std::to_string(expected));
}

bool CheckEq(const std::vector<std::string>& actual, const std::vector<std::string>& expected,
             const std::string& what) {
    if (actual == expected) return Check(true, what);
    std::string got, want;
    for (const auto& s : actual) got += "\n    \"" + Escaped(s) + "\"";
    for (const auto& s : expected) want += "\n    \"" + Escaped(s) + "\"";
    return Check(false, what + ": got" + (got.empty() ? " nothing" : got) + "\n  expected" + want);
}

HWND FindTopWindow(const std::string& caption, int timeoutMs) {
    FindData data{caption};
    WaitFor([&] {
        EnumWindows(FindTop, reinterpret_cast<LPARAM>(&data));
        return data.found != nullptr;
    }, timeoutMs);
    if (!data.found) Log("  (no window \"" + caption + "\" came up)");
    return data.found;
}

bool WaitGone(HWND window, int timeoutMs) {
    return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

namespace {

// A buffer for a text whose length was asked for just before. The window's
// thread may change the text between the length and the text message (the
// driver polls while the program refreshes), and the list box's, combo box's
// and status bar's text messages take no buffer size: the buffer leaves room
// for any text of this program, which would otherwise overrun the heap.
std::string TextBuffer(LRESULT length) {
    constexpr size_t kRoom = 1024;
    return std::string((length > 0 ? static_cast<size_t>(length) : 0) + 1 + kRoom, '\0');
}

}  // namespace

std::string Text(HWND window) {
    if (!window) return "<no window>";
    const LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0);
    if (length < 0) return "<no answer>";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT got = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

std::string ControlText(HWND dlg, int id) { return Text(GetDlgItem(dlg, id)); }

void TypeChars(HWND edit, const std::string& chars) {
    for (unsigned char c : chars) PostMessageA(edit, WM_CHAR, c, 1);
}

void TypeInto(HWND edit, const std::string& text) {
    PostMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty()) PostMessageA(edit, WM_CHAR, VK_BACK, 1);
    TypeChars(edit, text);
    WaitFor([&] { return Text(edit) == text; }, 3000);
}

namespace {
// The texts of a list box's or a combo box's entries, through that control's
// count, length and text messages.
std::vector<std::string> EntryTexts(HWND control, UINT countMsg, UINT lengthMsg, UINT textMsg) {
    std::vector<std::string> texts;
    const LRESULT count = Send(control, countMsg, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = Send(control, lengthMsg, i, 0);
        std::string text = TextBuffer(length);
        const LRESULT got = Send(control, textMsg, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(got > 0 && static_cast<size_t>(got) < text.size() ? static_cast<size_t>(got) : 0);
        texts.push_back(text);
    }
    return texts;
}
}  // namespace

std::vector<std::string> ListRows(HWND list) {
    return EntryTexts(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

int ListSel(HWND list) { return static_cast<int>(Send(list, LB_GETCURSEL, 0, 0)); }

std::vector<std::string> ComboEntries(HWND combo) {
    return EntryTexts(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int ComboSel(HWND combo) { return static_cast<int>(Send(combo, CB_GETCURSEL, 0, 0)); }

std::string StatusPart(HWND statusBar, int part) {
    const LRESULT length = LOWORD(Send(statusBar, SB_GETTEXTLENGTHA, part, 0));
    std::string text = TextBuffer(length);
    const LRESULT got = LOWORD(Send(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(got) < text.size() ? static_cast<size_t>(got) : 0);
    return text;
}

std::vector<int> StatusParts(HWND statusBar) {
    int edges[8] = {};
    const LRESULT count = Send(statusBar, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges));
    return std::vector<int>(edges, edges + (count > 0 ? count : 0));
}

HWND FocusedWindow() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(guiThreadId, &info)) return nullptr;
    return info.hwndFocus;
}

RECT ClientRectOf(HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND ChildByText(HWND dlg, const std::string& className, const std::string& text) {
    ChildSearch search{className, text};
    EnumChildWindows(dlg, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void ClickRow(HWND list, int index) {
    const LPARAM at = RowPoint(list, index);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
}

void DoubleClickRow(HWND list, int index) {
    const LPARAM at = RowPoint(list, index);
    POINT screen{LOWORD(at), HIWORD(at)};
    ClientToScreen(list, &screen);
    RealDoubleClick(screen.x, screen.y);
}

void KeyDown(HWND window, int vk) {
    const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, vk, 1 | (scan << 16));
}

void KeyUp(HWND window, int vk) {
    const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void PressKey(HWND window, int vk) {
    KeyDown(window, vk);
    KeyUp(window, vk);
}

void Command(HWND dlg, int id) { PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void SysClose(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void RealKey(int vk, bool down) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(vk);
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
    Sleep(60);  // a person's key stroke takes a while; the program reads in between
}

void RealPress(int vk) {
    RealKey(vk, true);
    RealKey(vk, false);
}

void RealAltKey(char letter) {
    RealKey(VK_MENU, true);
    RealPress(letter);
    RealKey(VK_MENU, false);
}

namespace {

// A mouse event that carries its place on the screen. The program asks where
// the pointer was when a click was queued (GetMessagePos), and its thread may
// still be handling pointer events from before a move (an EnterNotify left by
// a closed dialog): each of them puts Wine's pointer back where it was then.
// A click that brings its own place lands there whatever came before it.
INPUT MouseAt(int screenX, int screenY, DWORD button) {
    // Absolute places run from 0 to 65536 over the primary screen; Wine takes
    // place * size / 65536, so the place is rounded up to reach the pixel.
    const long long width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((screenX * 65536LL + width - 1) / width);
    in.mi.dy = static_cast<LONG>((screenY * 65536LL + height - 1) / height);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
    return in;
}

}  // namespace

void RealDoubleClick(int screenX, int screenY) {
    // One call: the two clicks get close time stamps however busy the machine is.
    INPUT in[4] = {MouseAt(screenX, screenY, MOUSEEVENTF_LEFTDOWN), MouseAt(screenX, screenY, MOUSEEVENTF_LEFTUP),
                   MouseAt(screenX, screenY, MOUSEEVENTF_LEFTDOWN), MouseAt(screenX, screenY, MOUSEEVENTF_LEFTUP)};
    SendInput(4, in, sizeof in[0]);
}

namespace {

// Key releases of F24 (a key no keyboard here has) that the program's thread
// has taken from its queue, counted on that thread.
std::atomic<long> markersTaken{0};

LRESULT CALLBACK CountMarkers(int code, WPARAM removal, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == WM_KEYUP && msg->wParam == VK_F24)
        ++markersTaken;
    return CallNextHookEx(nullptr, code, removal, lParam);
}

std::wstring CurrentFolder() {
    wchar_t folder[MAX_PATH * 2] = {};
    GetCurrentDirectoryW(MAX_PATH * 2, folder);
    return folder;
}
const std::wstring startFolder = CurrentFolder();  // taken as the program starts

bool Painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (!Painted(child)) return false;
    return true;
}

}  // namespace

bool WaitInputTaken(int timeoutMs) {
    static const HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, CountMarkers, nullptr, guiThreadId);
    if (!hook) return false;
    const long before = markersTaken;
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VK_F24;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(VK_F24, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
    return WaitFor([&] { return markersTaken > before; }, timeoutMs);
}

std::string PromptText(HWND box) {
    ChildSearch search{"Static", "\x01"};
    EnumChildWindows(box, FindChild, reinterpret_cast<LPARAM>(&search));
    for (const auto& text : search.texts)
        if (!text.empty()) return text;
    return "";
}

bool AnswerPrompt(const std::string& caption, const std::string& text, int answer) {
    HWND box = FindTopWindow(caption);
    if (!Check(box != nullptr, "prompt \"" + caption + "\" shows")) return false;
    CheckEq(PromptText(box), text, "prompt \"" + caption + "\" text");
    HWND button = GetDlgItem(box, answer);
    if (!Check(button != nullptr, "prompt \"" + caption + "\" has button " + std::to_string(answer))) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    } else {
        Click(button);
    }
    return Check(WaitGone(box), "prompt \"" + caption + "\" closes after the answer");
}

void Shot(const std::string& name, HWND window) {
    if (!std::getenv("PANTRIUM_SMOKE_SHOTS") || !window) return;
    // Let the window finish painting: no part of it waits for WM_PAINT, and
    // the program's thread has been through its message loop since (where
    // Wine puts what was painted on the screen).
    WaitFor([&] { return Painted(window); }, 5000);
    WaitInputTaken();
    RECT r = {};
    GetWindowRect(window, &r);
    // The script writes the file into the folder the program started in (the
    // path cases go into folders of their own).
    const std::wstring done = startFolder + L"\\shot-" + std::wstring(name.begin(), name.end()) + L".done";
    DeleteFileW(done.c_str());
    Log("SHOT " + name + " " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
        std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top));
    const bool taken = WaitFor([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                               10000);
    if (!taken) Log("  (no screenshot " + name + ")");
}

}  // namespace smoke
