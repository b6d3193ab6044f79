// Keyboard on Win32: key hooks replace a control's window procedure (and pass
// every message on to the original); accelerators, Enter on a focused push
// button, and the presses the dialog manager would keep from a hooked control,
// are handled in a message filter hook, which the dialog box loop calls for
// each message it takes.
#include "platform/window/win32/win32_state.h"

namespace plat::win32 {
namespace {

void CallHook(const HookedControl& entry, WPARAM vk, bool down) {
    HookedControl copy = entry;  // the hook may remove itself
    if (copy.hook) copy.hook(FromHwnd(copy.dlg), copy.id, static_cast<int>(vk), down);
}

LRESULT CALLBACK HookedProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto& hooked = Layer().hooked;
    HandedOver& handedOver = Layer().handedOver;
    auto it = hooked.find(h);
    if (it == hooked.end()) return DefWindowProcA(h, msg, wp, lp);
    WNDPROC original = it->second.original;
    if (msg == WM_KEYDOWN) {
        const bool seen = handedOver.control == h && handedOver.vk == wp && handedOver.time == GetMessageTime();
        handedOver = {};
        if (!seen) CallHook(it->second, wp, true);
    } else if (msg == WM_KEYUP) {
        CallHook(it->second, wp, false);
    } else if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        hooked.erase(it);
    }
    return CallWindowProcA(original, h, msg, wp, lp);
}

// The window that receives the keys of control id.
HWND KeyTarget(Window dlg, int id) {
    HWND h = Item(dlg, id);
    Kind k = KindOf(dlg, id);
    if (h && (k == Kind::SimpleCombo || k == Kind::DropList)) {
        if (HWND edit = FindWindowExA(h, nullptr, "Edit", nullptr)) return edit;
    }
    return h;
}

void Restore(HWND h, const HookedControl& entry) {
    if (IsWindow(h) && GetWindowLongPtrA(h, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&HookedProc))
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.original));
}

bool IsEditWindow(HWND h) {
    char cls[16] = {};
    return h && GetClassNameA(h, cls, sizeof cls) && lstrcmpiA(cls, "Edit") == 0;
}

bool IsContextMenuKey(const MSG& m, bool shift) {
    return m.wParam == VK_APPS || (m.wParam == VK_F10 && shift);
}

// A key press the dialog box loop took; true when it is used up here.
bool FilterKey(const MSG& m) {
    HWND root = GetAncestor(m.hwnd, GA_ROOT);
    DialogState* st = StateOf(root);
    if (!st || GetKeyState(VK_MENU) < 0) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    HWND focus = ::GetFocus();
    const bool inEdit = IsEditWindow(focus);
    for (const Accelerator& a : st->accelerators) {
        if (a.vk == static_cast<int>(m.wParam) && a.shift == shift && a.ctrl == ctrl && !(a.editKeeps && inEdit)) {
            // Code 1: the command comes from an accelerator.
            SendMessageA(root, WM_COMMAND, MAKEWPARAM(a.command, 1), 0);
            return true;
        }
    }
    if (ctrl) return false;
    if (IsContextMenuKey(m, shift) && !inEdit) {
        // Asked here, once, at the press; an edit field shows its own menu.
        HWND from = focus && IsChild(root, focus) ? focus : root;
        SendMessageA(root, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(from), MAKELPARAM(-1, -1));
        return true;
    }
    if (m.wParam == VK_RETURN) {
        // Enter on a focused push button clicks that button, default or not.
        if (focus && GetParent(focus) == root && KindOf(FromHwnd(root), ControlId(focus)) == Kind::Button) {
            SendMessageA(root, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(ControlId(focus)), BN_CLICKED),
                         reinterpret_cast<LPARAM>(focus));
            return true;
        }
    }
    return false;
}

// The release of the Menu key outside an edit field: its menu came at the press.
bool FilterKeyRelease(const MSG& m) {
    return m.wParam == VK_APPS && StateOf(GetAncestor(m.hwnd, GA_ROOT)) && !IsEditWindow(::GetFocus());
}

// The list box's selection or the edit's text before the key or character
// the dialog box loop took last, while that message is handled.
struct InputBefore {
    HWND control = nullptr;
    LRESULT selection = LB_ERR;
    std::string text;
} inputBefore;

std::string TextOf(HWND h) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(h)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(h, text.data(), static_cast<int>(text.size()))));
    return text;
}

void NoteInput(const MSG& m) {
    if (m.message != WM_KEYDOWN && m.message != WM_CHAR) return;
    char cls[16] = {};
    GetClassNameA(m.hwnd, cls, sizeof cls);
    if (lstrcmpiA(cls, "ListBox") == 0)
        inputBefore = {m.hwnd, SendMessageA(m.hwnd, LB_GETCURSEL, 0, 0), {}};
    else if (lstrcmpiA(cls, "Edit") == 0)
        inputBefore = {m.hwnd, LB_ERR, TextOf(m.hwnd)};
}

LRESULT CALLBACK MessageFilter(int code, WPARAM wp, LPARAM lp) {
    Win32State& layer = Layer();
    layer.handedOver = {};  // a press handed over earlier was used up by the dialog manager
    inputBefore = {};
    if (code == MSGF_DIALOGBOX) {
        const MSG* m = reinterpret_cast<const MSG*>(lp);
        NoteInput(*m);
        if (m->message == WM_SYSKEYDOWN && m->wParam == VK_F10 && FilterKey(*m)) return 1;
        if (m->message == WM_KEYUP && FilterKeyRelease(*m)) return 1;
        if (m->message == WM_KEYDOWN) {
            if (FilterKey(*m)) return 1;
            auto it = layer.hooked.find(m->hwnd);
            if (it != layer.hooked.end()) {
                layer.handedOver = {m->hwnd, m->wParam, static_cast<LONG>(m->time)};
                CallHook(it->second, m->wParam, true);
            }
        }
    }
    return CallNextHookEx(layer.filter, code, wp, lp);
}

}  // namespace

bool UnchangedByInput(HWND control, Code code) {
    if (!control || control != inputBefore.control) return false;
    if (code == Code::SelChange) return SendMessageA(control, LB_GETCURSEL, 0, 0) == inputBefore.selection;
    if (code == Code::Change) return TextOf(control) == inputBefore.text;
    return false;
}

void InstallAcceleratorFilter() {
    HHOOK& filter = Layer().filter;
    if (!filter) filter = SetWindowsHookExA(WH_MSGFILTER, MessageFilter, nullptr, GetCurrentThreadId());
}

void ForgetKeyHooks(HWND dlg) {
    auto& hooked = Layer().hooked;
    for (auto it = hooked.begin(); it != hooked.end();) {
        if (it->second.dlg == dlg) {
            Restore(it->first, it->second);
            it = hooked.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace plat::win32

namespace plat {
using namespace plat::win32;

void SetKeyHook(Window dlg, int id, KeyHook hook) {
    HWND h = KeyTarget(dlg, id);
    if (!h) return;
    auto& hooked = Layer().hooked;
    auto it = hooked.find(h);
    if (it != hooked.end()) {
        it->second.hook = std::move(hook);
        return;
    }
    auto original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookedProc)));
    hooked[h] = HookedControl{ToHwnd(dlg), id, original, std::move(hook)};
}

void RemoveKeyHook(Window dlg, int id) {
    HWND h = KeyTarget(dlg, id);
    auto& hooked = Layer().hooked;
    auto it = hooked.find(h);
    if (it == hooked.end()) return;
    Restore(h, it->second);
    hooked.erase(it);
}

void SetAccelerators(Window dlg, const std::vector<Accelerator>& table) {
    DialogState* st = StateOf(ToHwnd(dlg));
    if (!st) return;
    st->accelerators = table;
    InstallAcceleratorFilter();
}

}  // namespace plat
