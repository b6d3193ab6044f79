// The printer functions of window.h on Win32: the standard print dialog
// (PrintDlgA) chooses the job, a printer device context (win32_gdi_print_job)
// or a PDF file (platform/window/pdf_print_job), and every later call goes to that
// job. The path of a PDF file is UTF-8 text, taken from the wide calls.
//
// Printing to a PDF file: when the machine has no printer (EnumPrintersA
// finds none, or the print dialog reports that there is none), or when the
// user presses "Save as &PDF..." in the print dialog, the job is drawn into a
// PDF file instead (platform/window/pdf_printer.h, a virtual 600 dpi Letter page),
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
#include <utility>

#include "platform/window/pdf_print_job.h"
#include "platform/window/win32/win32_gdi_print_job.h"
#include "platform/window/win32/win32_state.h"

namespace plat {
namespace {

using win32::Layer;

constexpr int kPdfButton = 0x7A01;  // the button added to the print dialog

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
// The proposed path (UTF-8) opens the dialog in its folder with its name.
bool AskPdfPath(HWND owner, const std::string& docName, const std::string& proposed, std::string& path) {
    wchar_t buffer[MAX_PATH] = {};
    const std::wstring name =
        proposed.empty() ? plat::win32::WideFromAnsi(docName + ".pdf") : plat::win32::ToWide(proposed);
    lstrcpynW(buffer, name.c_str(), MAX_PATH);
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

std::unique_ptr<PrintJob> PdfJob(const std::string& path, const std::string& docName, bool quiet) {
    PdfPrintJob::UnwrittenReport report;
    if (!quiet)  // PANTRIUM_PRINT_TO: never show a message
        report = [](const std::string& unwritten) {
            ::MessageBoxW(nullptr,
                          (L"The file " + plat::win32::ToWide(unwritten) + L" could not be written.").c_str(),
                          L"Print job", MB_OK | MB_ICONEXCLAMATION);
        };
    return std::make_unique<PdfPrintJob>(docName, path, std::move(report), !quiet);
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
        Layer().pdfRequested = true;
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDCANCEL)));
        return TRUE;
    }
    return FALSE;
}

// The job for a new document: a PDF file when PANTRIUM_PRINT_TO names one or
// there is no printer (or the user asks for a PDF file), else the printer
// chosen in the print dialog. Null when the user cancels.
std::unique_ptr<PrintJob> ChooseJob(HWND owner, const std::string& docName, const std::string& pdfPath) {
    const std::string forced = EnvironmentPath();
    if (!forced.empty()) return PdfJob(forced, docName, true);

    bool toPdf = !PrinterInstalled();
    if (!toPdf) {
        PRINTDLGA pd = {};
        pd.lStructSize = sizeof pd;
        pd.hwndOwner = owner;
        pd.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_RETURNDC |
                   PD_ENABLEPRINTHOOK;
        pd.lpfnPrintHook = PrintHook;
        Layer().pdfRequested = false;
        const BOOL chosen = PrintDlgA(&pd);
        const DWORD error = chosen ? 0 : CommDlgExtendedError();
        if (pd.hDevMode) GlobalFree(pd.hDevMode);
        if (pd.hDevNames) GlobalFree(pd.hDevNames);
        if (chosen && pd.hDC) return win32::GdiPrintJob::Begin(pd.hDC, docName);
        if (pd.hDC) DeleteDC(pd.hDC);
        // no printer (PDERR_NODEVICES is Win32's name for "no printers")
        toPdf = Layer().pdfRequested || error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES ||
                error == PDERR_PRINTERNOTFOUND;
    }
    if (!toPdf) return nullptr;  // cancelled

    std::string path;
    if (!AskPdfPath(owner, docName, pdfPath, path)) return nullptr;
    return PdfJob(path, docName, false);
}

}  // namespace

bool PrinterChooseAndOpen(Window owner, const std::string& docName, const std::string& pdfPath) {
    PrinterClose();
    Layer().printJob = ChooseJob(reinterpret_cast<HWND>(owner), docName, pdfPath);
    return OpenPrintJob() != nullptr;
}

std::unique_ptr<PrintJob>& OpenPrintJob() { return Layer().printJob; }

}  // namespace plat
