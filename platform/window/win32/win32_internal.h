// Shared state of the Win32 window layer: what each running dialog keeps
// (its callback, the kinds of its controls, colours, tab stops, accelerators)
// and small helpers used by the files of this folder.
#pragma once
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

// The layer's own function names collide with these ANSI/Unicode macros.
#undef CreateFont
#undef GetOpenFileName
#undef GetSaveFileName

#include <map>
#include <string>
#include <vector>

#include "platform/window.h"
#include "platform/files/win32/wide_text.h"

namespace plat::win32 {

struct ControlColors {
    int text = -1;
    int back = -1;
    HBRUSH brush = nullptr;  // for back >= 0
};

// A control with layout bits of a resizable dialog, and the edges (display
// pixels of the client area) it was created with.
struct AnchoredControl {
    HWND hwnd = nullptr;
    RECT created{};
    unsigned style = 0;
};

struct DialogState {
    Callback callback;
    DialogSpec spec;
    HWND hwnd = nullptr;
    HBRUSH background = nullptr;          // spec.background or SetColors(dlg, 0, ...)
    HFONT scaledFont = nullptr;           // the dialog font made for a display above 96 dpi
    int backgroundRgb = -1;
    std::map<int, Kind> kinds;            // control id -> kind
    std::map<int, ControlColors> colors;  // control id -> colours
    std::map<int, std::vector<int>> tabStops;  // owner-drawn lists: stops in template units
    std::vector<Accelerator> accelerators;
    std::vector<AnchoredControl> anchored;  // resizable dialogs: the controls that follow the size
    SIZE firstClient{-1, -1};             // resizable dialogs: the client area when first shown
    SIZE minOuter{0, 0};                  // and the outer size then, the smallest the window becomes
    ControlSpec previous;                 // the control created last (a label names the next one)
    bool anyCreated = false;
};

inline HWND ToHwnd(Window w) { return reinterpret_cast<HWND>(w); }
inline Window FromHwnd(HWND h) { return reinterpret_cast<Window>(h); }

// Path texts are UTF-8 in the program, UTF-16 in the wide calls: converted
// with the file-access module's ToWide and FromWide (invalid UTF-8 bytes
// become U+FFFD). The other texts of the program are ANSI (win32_text.cpp).
using pantrium::files::FromWide;
using pantrium::files::ToWide;
std::wstring WideFromAnsi(const std::string& text);
// ANSI text as UTF-8 and back ("?" for a character ANSI cannot hold).
std::string Utf8FromAnsi(const std::string& text);
std::string AnsiFromUtf8(const std::string& text);

// A window's caption as UTF-8 text (win32_window.cpp).
void SetCaptionText(HWND window, const std::string& utf8);
std::string CaptionText(HWND window);

// The state of a dialog built by RunDialog, null for any other window.
DialogState* StateOf(HWND dlg);

// The control window of id in dlg; id 0 is the dialog itself.
HWND Item(Window dlg, int id);

// The kind recorded for id, or a guess from the window class.
Kind KindOf(Window dlg, int id);

// Control id as the layer reports it (unnumbered controls are -1).
inline int ControlId(HWND h) { return static_cast<short>(GetDlgCtrlID(h)); }

// Display scaling (win32_dpi.cpp): the layer's pixels are 96-dpi pixels; the
// display's are DPI / 96 times as many.
constexpr int kLayoutDpi = 96;
int SystemDpi();            // the screen's DPI (fonts, work area)
int WindowDpi(HWND window); // the DPI of the window's monitor
int ToDevice(int layerPixels, int dpi);
int ToLayer(int devicePixels, int dpi);
int ToLayerCeil(int devicePixels, int dpi);  // measured extents: rounded up
RECT ToDevice(const Rect& r, int dpi);       // left, top, right, bottom
Rect ToLayer(const RECT& r, int dpi);
// A font of this height (display pixels) in the face, or in a scalable stand-in
// where the face has no such size.
HFONT CreateDisplayFont(int height, int weight, bool italic, bool underline, bool strikeOut,
                        const std::string& face);

// Gives dlg the program's icon (small and large) once the main window has
// named it with SetDialogIcon; before that, nothing.
void ShowProgramIcon(HWND dlg);

// The font of the dialog's controls: the one made for the display, else the template's.
HFONT DialogFont(HWND dlg);
// Dialog units to pixels, each field like a template's: by the template's font,
// or by the font made for the display where the dialog has one.
void MapDialogUnits(HWND dlg, RECT& r);

// Creates one control of a dialog (pixels of the client area) with the dialog's font.
HWND CreateControl(HWND dlg, DialogState& st, const ControlSpec& spec);
// Places the controls with layout bits of a resizable dialog for its client area now.
void LayoutAnchored(HWND dlg, const DialogState& st);

// Screen readers (win32_accessibility.cpp): a new control's answers to
// WM_GETOBJECT, and the announcement of a changed list row or status part.
void RegisterAccessible(HWND control, DialogState& st, const ControlSpec& spec);
void AnnounceItem(HWND control, int index, bool state);
// The object a control hands a screen reader through WM_GETOBJECT (one reference).
IAccessible* MakeAccessible(HWND control);

// Owner-drawn list rows with right-aligned tab stops.
void MeasureListItem(HWND dlg, MEASUREITEMSTRUCT* mis);
void DrawListItem(HWND dlg, const DialogState& st, const DRAWITEMSTRUCT* dis);
// Tab stop in template units -> pixels for the list's font.
int TabStopPixels(HWND list, int units);

// Lists with tab stops keep their rows' texts in the layer (win32_list_rows.cpp):
// kKeptRowsStyle is their list box style, KeepListRows() is called once the
// list box exists, and FillKeptRows() fills one (false for any other list).
constexpr DWORD kKeptRowsStyle = LBS_NODATA | LBS_OWNERDRAWFIXED;
void KeepListRows(HWND list);
bool FillKeptRows(HWND list, int count, const std::function<std::string(int)>& rowText);

// The message filter (accelerators, Enter on push buttons) and key hooks.
void InstallAcceleratorFilter();
void ForgetKeyHooks(HWND dlg);
// Whether a notification comes from the user's key or character in control
// that changed nothing (Down on a list's last row, a character beyond an
// edit's limit): the list box and Wine's edit notify then too, the layer does not.
bool UnchangedByInput(HWND control, Code code);

// WM_COMMAND notification code <-> layer code, by control kind.
// Returns false for notifications the layer does not report.
bool CodeFromNative(Kind kind, bool fromControl, int native, Code& code);
int NativeFromCode(Kind kind, Code code);
constexpr int kNativeNone = 0xFFFE;  // carries Code::None through WM_COMMAND

}  // namespace plat::win32
