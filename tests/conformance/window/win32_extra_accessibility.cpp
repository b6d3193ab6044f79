// What a screen reader reads from the Win32 layer through MSAA
// (AccessibleObjectFromWindow, the same calls UI Automation's MSAA bridge
// makes): the roles of the rows and status parts the layer answers for, and
// the system's roles and names of the other controls, noted as Wine gives them.
#include "window_suite.h"

#include <oleacc.h>

#include <cstdio>

#include "platform/window/win32/win32_internal.h"

namespace window {
namespace {

const char* const kSection = "win32 accessibility";

enum : int { kName = 401, kRows = 402 };

// The control's object as a reader gets it, or, where the system cannot hand
// it over (Wine marshals no IAccessible), the one the control hands over.
IAccessible* ClientObject(HWND h) {
    IAccessible* acc = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(h, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                             reinterpret_cast<void**>(&acc))) && acc)
        return acc;
    return plat::win32::MakeAccessible(h);
}

long Role(IAccessible* acc, long child) {
    VARIANT id, role;
    id.vt = VT_I4;
    id.lVal = child;
    VariantInit(&role);
    return SUCCEEDED(acc->get_accRole(id, &role)) && role.vt == VT_I4 ? role.lVal : -1;
}

long State(IAccessible* acc, long child) {
    VARIANT id, state;
    id.vt = VT_I4;
    id.lVal = child;
    VariantInit(&state);
    return SUCCEEDED(acc->get_accState(id, &state)) && state.vt == VT_I4 ? state.lVal : -1;
}

long Children(IAccessible* acc) {
    long n = -1;
    return SUCCEEDED(acc->get_accChildCount(&n)) ? n : -1;
}

DialogSpec Spec() {
    DialogSpec s;
    s.caption = "Readers";
    s.width = 300;
    s.height = 200;
    s.controls = {
        {-1, Kind::Label, "Name:", {10, 10, 60, 15}, 0},
        {kName, Kind::Edit, "", {80, 10, 100, 20}, kTabStop},
        {kRows, Kind::ListBox, "", {10, 40, 200, 80}, kTabStop | kVScroll | kUseTabStops | kNotify},
        {kStatus, Kind::StatusBar, "", {}, 0},
    };
    return s;
}

CONFORMANCE_CASE(kSection, "rows and status parts have their roles, states and count; the system's roles noted") {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    RunShown(Spec(), [](Window dlg) {
        ListAdd(dlg, kRows, "\tx\tMilk");
        ListAdd(dlg, kRows, "\t\tBread");
        ListSetEntryReader(dlg, kRows, [](const std::string& text) {
            return EntrySpeech{text.substr(text.rfind('\t') + 1), text.find('x') != std::string::npos ? 1 : 0};
        });
        ListSetSel(dlg, kRows, 1);
        SetStatusParts(dlg, kStatus, {100, -1});
        SetStatusText(dlg, kStatus, 1, "Total cost: .00");

        {
            // What each step of AccessibleObjectFromWindow gives on this system.
            HWND list = GetDlgItem(reinterpret_cast<HWND>(dlg), kRows);
            const LRESULT answer = SendMessageW(list, WM_GETOBJECT, 0xffffffff, static_cast<LPARAM>(OBJID_CLIENT));
            IAccessible* std = nullptr;
            const HRESULT made = CreateStdAccessibleObject(list, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&std));
            if (std) std->Release();
            IAccessible* acc = nullptr;
            const HRESULT got = AccessibleObjectFromWindow(list, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                           reinterpret_cast<void**>(&acc));
            if (acc) acc->Release();
            char line[160];
            snprintf(line, sizeof line, "WM_GETOBJECT answer %lx, CreateStdAccessibleObject %lx, AccessibleObjectFromWindow %lx",
                     static_cast<unsigned long>(answer), static_cast<unsigned long>(made), static_cast<unsigned long>(got));
            Info(line);
        }
        IAccessible* rows = ClientObject(GetDlgItem(reinterpret_cast<HWND>(dlg), kRows));
        Check(rows != nullptr, "the list box has an accessible object");
        if (rows) {
            CheckEq(Children(rows), 2L, "the list's children are its rows");
            CheckEq(Role(rows, 1), static_cast<long>(ROLE_SYSTEM_LISTITEM), "a row is a list item");
            Check(State(rows, 1) & STATE_SYSTEM_CHECKED, "a marked row is checked");
            Check(!(State(rows, 2) & STATE_SYSTEM_CHECKED), "an unmarked row is not checked");
            Check(State(rows, 2) & STATE_SYSTEM_SELECTED, "the selected row reads as selected");
            Info("the list box's own role: " + std::to_string(Role(rows, CHILDID_SELF)) + " (list is " +
                 std::to_string(ROLE_SYSTEM_LIST) + ")");
            rows->Release();
        }
        IAccessible* bar = ClientObject(GetDlgItem(reinterpret_cast<HWND>(dlg), kStatus));
        Check(bar != nullptr, "the status bar has an accessible object");
        if (bar) {
            CheckEq(Children(bar), 2L, "the status bar's children are its parts");
            CheckEq(Role(bar, 2), static_cast<long>(ROLE_SYSTEM_STATICTEXT), "a part is static text");
            bar->Release();
        }
        IAccessible* edit = ClientObject(GetDlgItem(reinterpret_cast<HWND>(dlg), kName));
        if (edit) {
            CheckEq(Role(edit, CHILDID_SELF), static_cast<long>(ROLE_SYSTEM_TEXT), "the edit keeps the system's role");
            edit->Release();
        }
        IAccessible* window = ClientObject(reinterpret_cast<HWND>(dlg));
        if (window) {
            Info("the dialog's client role: " + std::to_string(Role(window, CHILDID_SELF)) + " (dialog is " +
                 std::to_string(ROLE_SYSTEM_DIALOG) + ", client " + std::to_string(ROLE_SYSTEM_CLIENT) + ")");
            window->Release();
        }
    });
}

}  // namespace
}  // namespace window
