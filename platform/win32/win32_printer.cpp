// The printer functions of platform.h on Win32: the standard print dialog
// (PrintDlgA), a printer device context, GDI fonts and TextOutA. The path
// of a PDF file is UTF-8 text, taken from the wide calls.
//
// Printing to a PDF file: when the machine has no printer (EnumPrintersA
// finds none, or the print dialog reports that there is none), or when the
// user presses "Save as &PDF..." in the print dialog, the job is drawn into a
// PDF file instead (platform/pdf_printer.h, a virtual 600 dpi Letter page),
// whose name is asked for with the standard save dialog.
//
// PANTRIUM_PRINT_TO: when this environment variable holds a path, every print
// job is written to that PDF file at once, without any dialog. It exists for
// unattended runs (the Wine smoke test), where a dialog would wait forever.
//
// Link with comdlg32 and gdi32.
#include <windows.h>  // whole, for the spooler's names
#include <cderr.h>
#include <commdlg.h>

#include <memory>
#include <string>

#include "platform/pdf_printer.h"
#include "platform/win32/win32_internal.h"

namespace plat {
namespace {

constexpr int kPdfButton = 0x7A01;  // the button added to the print dialog

// A job on a printer device context.
struct GdiJob {
    HDC dc = nullptr;
    HGDIOBJ originalFont = nullptr;  // the DC's own font, put back before DeleteDC
    HFONT font = nullptr;            // our font, selected into the DC
    int x = 0, y = 0;
};

GdiJob gdi;
std::unique_ptr<PdfPrinter> pdf;  // a job drawn into a PDF file
std::string pdfPath;
bool pdfQuiet = false;     // PANTRIUM_PRINT_TO: never show a message
bool pdfRequested = false; // the user pressed our button in the print dialog

bool IsOpen() { return gdi.dc != nullptr || pdf != nullptr; }

// The variable's path, UTF-8 like every path text of the program.
std::string EnvironmentPath() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD n = GetEnvironmentVariableW(L"PANTRIUM_PRINT_TO", buffer, MAX_PATH + 1);
    return n > 0 && n <= MAX_PATH ? plat::win32::FromWide(std::wstring(buffer, n)) : std::string();
}

// EnumPrintersA comes from winspool.drv, loaded at run time so that the
// program needs no import library beyond comdlg32 and gdi32.
bool PrinterInstalled() {
    using EnumPrintersFn = BOOL(WINAPI*)(DWORD, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);
    HMODULE spooler = LoadLibraryA("winspool.drv");
    if (!spooler) return true;  // let the print dialog find out
    auto enumPrinters = reinterpret_cast<EnumPrintersFn>(
        reinterpret_cast<void*>(GetProcAddress(spooler, "EnumPrintersA")));
    DWORD needed = 0, count = 0;
    // With no buffer the call only reports the size the list would need.
    if (enumPrinters)
        enumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                     &count);
    FreeLibrary(spooler);
    return !enumPrinters || needed > 0 || count > 0;
}

// The wide save dialog: the chosen path comes back as UTF-8 whatever its language.
bool AskPdfPath(HWND owner, const std::string& docName, std::string& path) {
    wchar_t buffer[MAX_PATH] = {};
    lstrcpynW(buffer, plat::win32::WideFromAnsi(docName + ".pdf").c_str(), MAX_PATH);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = L"PDF files (*.pdf)\0*.pdf\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"Save the printed list as PDF";
    ofn.lpstrDefExt = L"pdf";
    // printing must not move the current directory the list files resolve against
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ofn)) return false;
    path = plat::win32::FromWide(buffer);
    return true;
}

void OpenPdf(const std::string& path, const std::string& docName, bool quiet) {
    pdf = std::make_unique<PdfPrinter>(docName);
    pdfPath = path;
    pdfQuiet = quiet;
}

// Adds "Save as PDF..." to the print dialog, left of its OK button.
UINT_PTR CALLBACK PrintHook(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        HWND ok = GetDlgItem(dlg, IDOK);
        RECT okRect = {0, 0, 75, 23};
        if (ok) {
            GetWindowRect(ok, &okRect);
            MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&okRect), 2);
        }
        RECT margin = {7, 0, 0, 0};
        MapDialogRect(dlg, &margin);
        const int width = (okRect.right - okRect.left) * 3 / 2;
        HWND button = CreateWindowExA(0, "BUTTON", "Save as &PDF...",
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                      margin.left, okRect.top, width, okRect.bottom - okRect.top,
                                      dlg, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPdfButton)),
                                      GetModuleHandleA(nullptr), nullptr);
        SendMessageA(button, WM_SETFONT, SendMessageA(dlg, WM_GETFONT, 0, 0), FALSE);
        return TRUE;  // let the dialog set the focus
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == kPdfButton && HIWORD(wParam) == BN_CLICKED) {
        pdfRequested = true;
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDCANCEL)));
        return TRUE;
    }
    return FALSE;
}

HFONT MakeFont(const std::string& face, int points, int styleSet) {
    const int height = -MulDiv(points, GetDeviceCaps(gdi.dc, LOGPIXELSY), 72);
    return ::CreateFontA(height, 0, 0, 0, (styleSet & 1) ? FW_BOLD : FW_NORMAL, (styleSet & 2) != 0,
                       (styleSet & 4) != 0, (styleSet & 8) != 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       face.c_str());
}

void SelectFont(HFONT font) {
    if (!font) return;  // keep the current one
    SelectObject(gdi.dc, font);
    if (gdi.font) DeleteObject(gdi.font);
    gdi.font = font;
}

bool OpenGdi(HDC dc, const std::string& docName) {
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = docName.c_str();
    if (StartDocA(dc, &info) <= 0) {
        DeleteDC(dc);
        return false;
    }
    StartPage(dc);
    gdi = GdiJob{};
    gdi.dc = dc;
    gdi.originalFont = GetCurrentObject(dc, OBJ_FONT);
    // The starting font: "Courier New" at 12 points, the classic printer
    // default of 10 characters per inch (the PDF job uses the same).
    SelectFont(MakeFont("Courier New", PdfPrinter::kStartPoints, 0));
    return true;
}

int GdiLineHeight() {
    TEXTMETRICA tm = {};
    GetTextMetricsA(gdi.dc, &tm);
    return tm.tmHeight + tm.tmExternalLeading;
}

}  // namespace

bool PrinterChooseAndOpen(Window owner, const std::string& docName) {
    if (IsOpen()) PrinterClose();
    HWND ownerWindow = reinterpret_cast<HWND>(owner);

    const std::string forced = EnvironmentPath();
    if (!forced.empty()) {
        OpenPdf(forced, docName, true);
        return true;
    }

    bool toPdf = !PrinterInstalled();
    if (!toPdf) {
        PRINTDLGA pd = {};
        pd.lStructSize = sizeof pd;
        pd.hwndOwner = ownerWindow;
        pd.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_RETURNDC |
                   PD_ENABLEPRINTHOOK;
        pd.lpfnPrintHook = PrintHook;
        pdfRequested = false;
        const BOOL chosen = PrintDlgA(&pd);
        const DWORD error = chosen ? 0 : CommDlgExtendedError();
        if (pd.hDevMode) GlobalFree(pd.hDevMode);
        if (pd.hDevNames) GlobalFree(pd.hDevNames);
        if (chosen && pd.hDC) return OpenGdi(pd.hDC, docName);
        if (pd.hDC) DeleteDC(pd.hDC);
        // no printer (PDERR_NODEVICES is Win32's name for "no printers")
        toPdf = pdfRequested || error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES ||
                error == PDERR_PRINTERNOTFOUND;
    }
    if (!toPdf) return false;  // cancelled

    std::string path;
    if (!AskPdfPath(ownerWindow, docName, path)) return false;
    OpenPdf(path, docName, false);
    return true;
}

int PrinterDpiX() {
    if (pdf) return pdf->DpiX();
    return gdi.dc ? GetDeviceCaps(gdi.dc, LOGPIXELSX) : 0;
}

int PrinterDpiY() {
    if (pdf) return pdf->DpiY();
    return gdi.dc ? GetDeviceCaps(gdi.dc, LOGPIXELSY) : 0;
}

Size PrinterCharSize() {
    if (pdf) return pdf->CharSize();
    if (!gdi.dc) return {};
    TEXTMETRICA tm = {};
    GetTextMetricsA(gdi.dc, &tm);
    return {tm.tmAveCharWidth, tm.tmHeight + tm.tmExternalLeading};
}

int PrinterLinesPerPage() {
    if (pdf) return pdf->LinesPerPage();
    if (!gdi.dc) return 0;
    const int line = GdiLineHeight();
    return line > 0 ? GetDeviceCaps(gdi.dc, VERTRES) / line : 0;
}

void PrinterSetFont(const std::string& face, int points, int styleSet) {
    if (pdf) return pdf->SetFont(face, points, styleSet);
    if (gdi.dc) SelectFont(MakeFont(face, points, styleSet));
}

void PrinterMoveTo(int x, int y) {
    if (pdf) return pdf->MoveTo(x, y);
    gdi.x = x;
    gdi.y = y;
}

Point PrinterPosition() {
    if (pdf) return pdf->Position();
    return gdi.dc ? Point{gdi.x, gdi.y} : Point{};
}

void PrinterText(const std::string& text) {
    if (pdf) return pdf->Text(text);
    if (!gdi.dc || text.empty()) return;
    const int length = static_cast<int>(text.size());
    TextOutA(gdi.dc, gdi.x, gdi.y, text.data(), length);
    SIZE extent = {};
    if (GetTextExtentPoint32A(gdi.dc, text.data(), length, &extent)) gdi.x += extent.cx;
}

void PrinterNewLine() {
    if (pdf) return pdf->NewLine();
    if (!gdi.dc) return;
    gdi.x = 0;
    gdi.y += GdiLineHeight();
}

void PrinterNewPage() {
    if (pdf) return pdf->NewPage();
    if (!gdi.dc) return;
    EndPage(gdi.dc);
    StartPage(gdi.dc);
    // some drivers reset the device context at a new page
    if (gdi.font) SelectObject(gdi.dc, gdi.font);
    gdi.x = 0;
    gdi.y = 0;
}

void PrinterClose() {
    if (pdf) {
        const bool written = pdf->Save(pdfPath);
        pdf.reset();
        if (!written && !pdfQuiet)
            ::MessageBoxW(nullptr,
                          (L"The file " + plat::win32::ToWide(pdfPath) + L" could not be written.").c_str(),
                          L"Print job", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!gdi.dc) return;
    EndPage(gdi.dc);
    EndDoc(gdi.dc);
    SelectObject(gdi.dc, gdi.originalFont);
    if (gdi.font) DeleteObject(gdi.font);
    DeleteDC(gdi.dc);
    gdi = GdiJob{};
}

}  // namespace plat
