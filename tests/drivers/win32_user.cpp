// The scripted user on the Win32 layer: input posted to the windows the way
// the mouse and the keyboard deliver it (key messages to the focus window,
// clicks, characters), handled by the dialog's own loop, and a watcher that
// answers the message box and the common dialogs like a person pressing
// their buttons. A print job goes to a PDF file in the current folder
// (PANTRIUM_PRINT_TO).
//
// A played script (Drive) runs its steps from a thread timer while one of
// the layer's dialogs is active. The message box's text, caption and style
// and the file dialog's title and proposed name are recorded as the watcher
// finds them; a pop-up menu is answered from the keyboard once it shows
// (win32_records.cpp).
//
// PumpUntil runs the loop a dialog box runs: the dialog manager, which first
// calls the message filter (where the layer sees accelerators and the
// presses the dialog manager keeps), then the window procedure.
#include "drivers/user.h"

#include "drivers/win32_records.h"
#include "platform/window/win32/win32_internal.h"

#include <commdlg.h>
#include <dlgs.h>

#include <deque>

namespace drivers {
namespace {

using plat::win32::StateOf;
using plat::win32::ToHwnd;

int DisplayDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}
int Px(int layerPixels) { return MulDiv(layerPixels, DisplayDpi(), 96); }

void SetModifier(int vk, bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[vk] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

std::string ClassOf(HWND h) {
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    return name;
}

// The driver's own window: it lets go of Shift and Ctrl when its message
// comes, and holds Ctrl down on WM_APP + 1, so that Ctrl follows the keys
// posted around it in their order.
LRESULT CALLBACK MarkerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP + 1) {
        SetModifier(VK_CONTROL, true);
        return 0;
    }
    if (msg != WM_APP) return DefWindowProcA(h, msg, wp, lp);
    SetModifier(VK_SHIFT, false);
    SetModifier(VK_CONTROL, false);
    return 0;
}

class Win32User;
Win32User* theUser = nullptr;

class Win32User : public User {
public:
    Win32User() { theUser = this; }

    std::string Name() const override { return "win32"; }

    void Reset() override {
        Drive(nullptr);
        failures.clear();
        answers.clear();
        answered = nullptr;
        pendingBodies.clear();
        prompts.clear();
        win32::ResetRecords();
    }

    // The layer's dialog that is active: the innermost one running.
    plat::Window ActiveDialog() override {
        HWND active = GetActiveWindow();
        return active && StateOf(active) && IsWindowVisible(active) ? reinterpret_cast<plat::Window>(active) : 0;
    }

    // A thread timer: its message comes in every loop of the thread, the
    // step runs only while one of the layer's dialogs is active.
    void Drive(std::function<void()> step) override {
        drive = std::move(step);
        if (drive && !driveTimer) driveTimer = SetTimer(nullptr, 0, 10, Step);
        if (!drive && driveTimer) {
            KillTimer(nullptr, driveTimer);
            driveTimer = 0;
        }
    }

    void WhenShown(plat::Window dlg, std::function<void()> body) override {
        // The dialog box shows itself once its queue is empty; a timer comes only then.
        pendingBodies[ToHwnd(dlg)] = std::move(body);
        SetTimer(ToHwnd(dlg), kShownTimer, 20, Shown);
    }

    void Click(plat::Window dlg, int id) override {
        HWND h = Control(dlg, id, "Click");
        if (!h) return;
        if (ClassOf(h) == "Button") {
            PostMessageA(h, BM_CLICK, 0, 0);
        } else {
            PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
            PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
        }
    }

    void DoubleClickRow(plat::Window dlg, int id, int index) override {
        HWND list = Control(dlg, id, "DoubleClickRow");
        if (!list) return;
        RECT item{};
        if (index < 0) {
            // Below the last row: the row after it, where the list box has room.
            const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
            const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
            const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
            RECT client{};
            GetClientRect(list, &client);
            item = RECT{0, (count - top) * height, 10, (count - top + 1) * height};
            if (item.bottom > client.bottom) {
                failures.push_back("DoubleClickRow: the list has no room below its last row");
                return;
            }
        } else if (SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
            failures.push_back("DoubleClickRow: no row " + std::to_string(index) + " in list " + std::to_string(id));
            return;
        }
        const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
        // The layer asks where the pointer was when the click came: the pointer
        // goes there first (through the X server, so it is waited for).
        POINT screen{item.left + 5, (item.top + item.bottom) / 2};
        ClientToScreen(list, &screen);
        SetCursorPos(screen.x, screen.y);
        PumpUntil([&] {
            POINT now{};
            return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
        }, 3000);
        PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(list, WM_LBUTTONUP, 0, at);
        PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(list, WM_LBUTTONUP, 0, at);
    }

    void ClickRow(plat::Window dlg, int id, int index) override {
        HWND list = Control(dlg, id, "ClickRow");
        if (!list) return;
        if (ClassOf(list) == "ComboBox") {
            // The choice in the dropped list: selected, then reported to the dialog.
            if (SendMessageA(list, CB_SETCURSEL, index, 0) == CB_ERR) {
                failures.push_back("ClickRow: no entry " + std::to_string(index) + " in list " + std::to_string(id));
                return;
            }
            PostMessageA(ToHwnd(dlg), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
            return;
        }
        RECT item{};
        if (SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
            failures.push_back("ClickRow: no row " + std::to_string(index) + " in list " + std::to_string(id));
            return;
        }
        const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
        PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(list, WM_LBUTTONUP, 0, at);
    }

    // The item is highlighted (the program updates its texts then), and its
    // command comes as the menu bar sends it.
    void ChooseMenu(plat::Window dlg, int id) override {
        HMENU bar = GetMenu(ToHwnd(dlg));
        if (!bar || GetMenuState(bar, id, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
            failures.push_back("ChooseMenu: no menu item " + std::to_string(id));
            return;
        }
        PostMessageA(ToHwnd(dlg), WM_MENUSELECT, MAKEWPARAM(id, MF_STRING), reinterpret_cast<LPARAM>(bar));
        PostMessageA(ToHwnd(dlg), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }

    void RightClick(plat::Window dlg, int id, int x, int y) override {
        HWND h = id == 0 ? ToHwnd(dlg) : Control(dlg, id, "RightClick");
        if (!h) return;
        const LPARAM at = MAKELPARAM(Px(x), Px(y));
        PostMessageA(h, WM_RBUTTONDOWN, MK_RBUTTON, at);
        PostMessageA(h, WM_RBUTTONUP, 0, at);
    }

    void Hover(plat::Window dlg, int id) override {
        HWND h = id == -1 ? ToHwnd(dlg) : Control(dlg, id, "Hover");
        if (h) SendMessageA(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }

    void CloseBox(plat::Window dlg) override { PostMessageA(ToHwnd(dlg), WM_SYSCOMMAND, SC_CLOSE, 0); }
    // Another top-level window takes the activation, then the dialog gets it back.
    void Activate(plat::Window dlg) override {
        HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetActiveWindow(other);
        SetForegroundWindow(ToHwnd(dlg));
        SetActiveWindow(ToHwnd(dlg));
        DestroyWindow(other);
    }

    void KeyDown(plat::Window dlg, int vk, bool shift, bool ctrl) override { Key(dlg, vk, shift, ctrl, true); }
    void KeyUp(plat::Window dlg, int vk, bool shift, bool ctrl) override { Key(dlg, vk, shift, ctrl, false); }

    void Type(plat::Window, const std::string& text) override {
        HWND focus = ::GetFocus();
        if (!focus || ClassOf(focus) != "Edit") {
            failures.push_back("Type: no edit field has the focus");
            return;
        }
        // UTF-8 arrives as the keyboard's UTF-16 characters; other bytes as ANSI ones.
        const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                          static_cast<int>(text.size()), nullptr, 0);
        if (n <= 0) {
            for (unsigned char c : text) PostMessageA(focus, WM_CHAR, c, 1);
            return;
        }
        std::wstring wide(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
        for (wchar_t c : wide) PostMessageW(focus, WM_CHAR, c, 1);
    }

    bool ShowsPlatformDialogs() const override { return true; }
    void AnswerPrompt(int answer, std::function<void()> whileUp) override {
        answers.push_back({Answer::Prompt, answer, {}, std::move(whileUp)});
        Watch();
    }
    void AnswerFileDialog(bool confirmed, const std::string& name) override {
        answers.push_back({Answer::File, confirmed ? IDOK : IDCANCEL, name, nullptr});
        Watch();
    }
    void AnswerPrinterDialog(bool confirmed) override {
        if (confirmed) {
            SetEnvironmentVariableW(L"PANTRIUM_PRINT_TO", L"window-conformance-print.pdf");
            return;
        }
        // The print dialog, or the PDF file's save dialog where no printer is installed.
        SetEnvironmentVariableW(L"PANTRIUM_PRINT_TO", nullptr);
        answers.push_back({Answer::Cancel, IDCANCEL, {}, nullptr});
        Watch();
    }

    void AnswerPopup(int id) override { win32::AnswerNextPopup(id); }

    const std::vector<PromptSeen>& Prompts() override { return prompts; }
    // The requests as the program passed them (win32_records.cpp).
    const std::vector<plat::FileDialogRequest>& FileDialogs() override { return win32::FileDialogRequests(); }

    plat::Rect ClientRect(plat::Window dlg) override {
        HWND h = ToHwnd(dlg);
        RECT r{};
        GetClientRect(h, &r);
        MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return plat::win32::ToLayer(r, plat::win32::WindowDpi(h));
    }
    // A drop list's rectangle is the one with its list dropped down.
    plat::Rect ControlRect(plat::Window dlg, int id) override {
        HWND h = GetDlgItem(ToHwnd(dlg), id);
        if (!h) return {};
        RECT r{};
        GetWindowRect(h, &r);
        if (ClassOf(h) == "ComboBox" && (GetWindowLongA(h, GWL_STYLE) & 3) == CBS_DROPDOWNLIST)
            SendMessageA(h, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(nullptr, ToHwnd(dlg), reinterpret_cast<POINT*>(&r), 2);
        return plat::win32::ToLayer(r, plat::win32::WindowDpi(ToHwnd(dlg)));
    }
    bool IsEnabled(plat::Window dlg) override { return IsWindowEnabled(ToHwnd(dlg)) != FALSE; }

    // EndDialog hides the dialog at once; its loop ends later.
    bool IsOpen(plat::Window dlg) override { return IsWindowVisible(ToHwnd(dlg)) != FALSE; }

    bool PumpUntil(const std::function<bool()>& cond, int deadlineMs) override {
        const DWORD start = GetTickCount();
        while (!cond()) {
            const DWORD waited = GetTickCount() - start;
            if (waited >= static_cast<DWORD>(deadlineMs)) return cond();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG m;
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
                if (m.message == WM_QUIT) {
                    PostQuitMessage(static_cast<int>(m.wParam));
                    return cond();
                }
                // IsDialogMessage calls the message filter first, as the dialog box's loop does.
                HWND root = m.hwnd ? GetAncestor(m.hwnd, GA_ROOT) : nullptr;
                HWND dlg = root && StateOf(root) ? root : GetActiveWindow();
                if (dlg ? IsDialogMessageW(dlg, &m) : CallMsgFilterW(&m, MSGF_DIALOGBOX)) continue;
                TranslateMessage(&m);
                DispatchMessageW(&m);
            }
        }
        return true;
    }

    std::vector<std::string> TakeFailures() override {
        for (const Answer& a : answers)
            failures.push_back(std::string("no ") + (a.kind == Answer::Prompt ? "message box" : "dialog") +
                               " came for the answer " + std::to_string(a.button));
        answers.clear();
        for (std::string& f : win32::TakePopupFailures()) failures.push_back(std::move(f));
        std::vector<std::string> taken;
        taken.swap(failures);
        return taken;
    }

private:
    static constexpr UINT_PTR kShownTimer = 0x5A17;
    struct Answer {
        enum Kind { Prompt, File, Cancel } kind;
        int button;
        std::string name;
        std::function<void()> whileUp;
    };
    std::map<HWND, std::function<void()>> pendingBodies;
    std::vector<std::string> failures;
    std::deque<Answer> answers;
    UINT_PTR watcher = 0;
    HWND answered = nullptr;  // the last box answered, until it has gone
    std::wstring answeredFolder;
    std::vector<PromptSeen> prompts;
    std::function<void()> drive;
    UINT_PTR driveTimer = 0;
    std::vector<plat::Window> stepping;  // the dialogs whose steps run, innermost last

    // A step that waits (a pointer move) leaves its dialog's next step for
    // later; a dialog the step opened runs its own steps meanwhile.
    static void CALLBACK Step(HWND, UINT, UINT_PTR, DWORD) {
        Win32User& u = *theUser;
        const plat::Window active = u.ActiveDialog();
        if (!u.drive || !active || win32::PopupTracking()) return;
        if (!u.stepping.empty() && u.stepping.back() == active) return;
        HWND foreign = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindForeign, reinterpret_cast<LPARAM>(&foreign));
        if (foreign) return;  // a message box or common dialog is up
        u.stepping.push_back(active);
        std::function<void()> step = u.drive;
        step();
        u.stepping.pop_back();
    }

    // The MB_ style the user sees: the buttons, the icon and the default button.
    static int StyleOf(HWND box) {
        auto has = [box](int id) { return GetDlgItem(box, id) != nullptr; };
        int style = has(IDYES) ? (has(IDCANCEL) ? 3 : 4)
                    : has(IDABORT) ? 2
                    : has(IDRETRY) ? 5
                    : has(IDCANCEL) ? 1
                                    : 0;
        // The icon's control is 0x14 on Windows, 0x440 in Wine's box.
        HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 0x14, STM_GETICON, 0, 0));
        if (!icon) icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 0x440, STM_GETICON, 0, 0));
        const std::pair<LPCSTR, int> icons[] = {{IDI_HAND, 0x10}, {IDI_QUESTION, 0x20}, {IDI_EXCLAMATION, 0x30},
                                                {IDI_ASTERISK, 0x40}};
        for (auto [name, bits] : icons)
            if (icon && icon == LoadIconA(nullptr, name)) style |= bits;
        // The default button, counted in the box's order (MB_DEFBUTTON2 is 0x100).
        static const std::vector<int> buttons[] = {{IDOK}, {IDOK, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE},
                                                   {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO}, {IDRETRY, IDCANCEL}};
        const std::vector<int>& order = buttons[style & 15];
        for (std::size_t i = 0; i < order.size(); ++i) {
            HWND button = GetDlgItem(box, order[i]);
            if (button && (GetWindowLongA(button, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON)
                style |= static_cast<int>(i) << 8;
        }
        return style;
    }

    static std::string TextOf(HWND h) {
        wchar_t text[1024] = {};
        GetWindowTextW(h, text, 1024);
        return plat::win32::FromWide(text);
    }

    HWND Control(plat::Window dlg, int id, const std::string& action) {
        HWND h = GetDlgItem(ToHwnd(dlg), id);
        if (!h) failures.push_back(action + ": no control " + std::to_string(id));
        return h;
    }

    void Key(plat::Window dlg, int vk, bool shift, bool ctrl, bool down) {
        HWND to = ::GetFocus();
        if (!to) to = ToHwnd(dlg);
        const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
        // Shift and Ctrl are held while the key is handled and let go after its
        // release; Ctrl through the marker, in the order of the posted keys.
        if (shift) SetModifier(VK_SHIFT, true);
        if (ctrl && down) PostMessageA(Marker(), WM_APP + 1, 0, 0);
        // F10 comes as a system key, as from the keyboard.
        const UINT message = vk == VK_F10 ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
        PostMessageA(to, message, vk, down ? 1 | (scan << 16) : 1 | (scan << 16) | (1u << 30) | (1u << 31));
        if ((shift || ctrl) && !down) PostModifierRelease();
    }

    // Lets go of Shift and Ctrl once the messages posted before are handled.
    void PostModifierRelease() { PostMessageA(Marker(), WM_APP, 0, 0); }

    static HWND Marker() {
        static HWND marker = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = MarkerProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "PantriumDriverMarker";
            RegisterClassA(&wc);
            return CreateWindowA("PantriumDriverMarker", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        }();
        return marker;
    }

    static void CALLBACK Shown(HWND h, UINT, UINT_PTR id, DWORD) {
        if (!IsWindowVisible(h)) return;
        KillTimer(h, id);
        auto it = theUser->pendingBodies.find(h);
        if (it == theUser->pendingBodies.end()) return;
        std::function<void()> body = std::move(it->second);
        theUser->pendingBodies.erase(it);
        body();
    }

    void Watch() {
        if (!watcher) watcher = SetTimer(nullptr, 0, 30, Watcher);
    }

    // A visible window of this thread that the layer did not build: the
    // message box, a common dialog.
    static BOOL CALLBACK FindForeign(HWND h, LPARAM param) {
        if (!IsWindowVisible(h) || StateOf(h) || ClassOf(h) != "#32770") return TRUE;
        *reinterpret_cast<HWND*>(param) = h;
        return FALSE;
    }

    static bool IsFileDialog(HWND box) { return GetDlgItem(box, cmb13) || GetDlgItem(box, edt1); }

    // The folder a file dialog shows; empty for one that cannot tell.
    static std::wstring FolderOf(HWND box) {
        wchar_t path[MAX_PATH] = {};
        return SendMessageW(box, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path)) > 0 ? path : L"";
    }

    // The box answered last is still closing: the next answer waits for it.
    // A file dialog that went into another folder instead (the name given
    // was a folder's) stays up: a failure, and the dialog is cancelled, so
    // that the program goes on.
    bool AnsweredBoxStaysUp() {
        if (!answered) return false;
        if (!IsWindow(answered) || !IsWindowVisible(answered)) {
            answered = nullptr;
            return false;
        }
        if (IsFileDialog(answered) && FolderOf(answered) != answeredFolder) {
            failures.push_back("the file dialog \"" + TextOf(answered) +
                               "\" went into the folder given as its file name and stayed up; it was cancelled");
            PostMessageW(answered, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(answered, IDCANCEL)));
            answered = nullptr;
        }
        return true;
    }

    static void CALLBACK Watcher(HWND, UINT, UINT_PTR, DWORD) {
        Win32User& u = *theUser;
        if (u.AnsweredBoxStaysUp()) return;
        if (u.answers.empty()) {
            KillTimer(nullptr, u.watcher);
            u.watcher = 0;
            return;
        }
        Answer a = u.answers.front();
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindForeign, reinterpret_cast<LPARAM>(&box));
        if (!box) return;
        u.answers.pop_front();
        u.answered = box;
        u.answeredFolder = IsFileDialog(box) ? FolderOf(box) : L"";
        if (a.kind == Answer::Prompt)
            u.prompts.push_back({TextOf(GetDlgItem(box, 0xFFFF)), TextOf(box), StyleOf(box), a.button});
        if (a.whileUp) a.whileUp();
        HWND nameField = GetDlgItem(box, cmb13) ? GetDlgItem(box, cmb13) : GetDlgItem(box, edt1);
        if (a.kind == Answer::File && a.button == IDOK && nameField)
            SendMessageW(nameField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(plat::win32::ToWide(a.name).c_str()));
        if (a.kind == Answer::Prompt && !GetDlgItem(box, a.button))
            u.failures.push_back("the message box has no button " + std::to_string(a.button));
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(a.button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, a.button)));
    }
};

}  // namespace

User& TheUser() {
    static Win32User user;
    return user;
}

}  // namespace drivers
