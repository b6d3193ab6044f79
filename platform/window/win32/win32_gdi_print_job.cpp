#include "platform/window/win32/win32_gdi_print_job.h"

#include "platform/window/pdf_printer.h"

namespace plat::win32 {

std::unique_ptr<PrintJob> GdiPrintJob::Begin(HDC dc, const std::string& docName) {
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = docName.c_str();
    if (StartDocA(dc, &info) <= 0) {
        DeleteDC(dc);
        return nullptr;
    }
    StartPage(dc);
    return std::unique_ptr<PrintJob>(new GdiPrintJob(dc));
}

GdiPrintJob::GdiPrintJob(HDC dc) : dc_(dc), originalFont_(GetCurrentObject(dc, OBJ_FONT)) {
    // The starting font: "Courier New" at 12 points, the classic printer
    // default of 10 characters per inch (the PDF job uses the same).
    SelectFont(MakeFont("Courier New", PdfPrinter::kStartPoints, 0));
}

HFONT GdiPrintJob::MakeFont(const std::string& face, int points, int styleSet) const {
    const int height = -MulDiv(points, GetDeviceCaps(dc_, LOGPIXELSY), 72);
    return ::CreateFontA(height, 0, 0, 0, (styleSet & 1) ? FW_BOLD : FW_NORMAL, (styleSet & 2) != 0,
                         (styleSet & 4) != 0, (styleSet & 8) != 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

void GdiPrintJob::SelectFont(HFONT font) {
    if (!font) return;  // keep the current one
    SelectObject(dc_, font);
    if (font_) DeleteObject(font_);
    font_ = font;
}

int GdiPrintJob::LineHeight() const {
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc_, &tm);
    return tm.tmHeight + tm.tmExternalLeading;
}

int GdiPrintJob::DpiX() const { return GetDeviceCaps(dc_, LOGPIXELSX); }

int GdiPrintJob::DpiY() const { return GetDeviceCaps(dc_, LOGPIXELSY); }

Size GdiPrintJob::CharSize() const {
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc_, &tm);
    return {tm.tmAveCharWidth, tm.tmHeight + tm.tmExternalLeading};
}

int GdiPrintJob::LinesPerPage() const {
    const int line = LineHeight();
    return line > 0 ? GetDeviceCaps(dc_, VERTRES) / line : 0;
}

void GdiPrintJob::SetFont(const std::string& face, int points, int styleSet) {
    SelectFont(MakeFont(face, points, styleSet));
}

void GdiPrintJob::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void GdiPrintJob::Text(const std::string& text) {
    if (text.empty()) return;
    const int length = static_cast<int>(text.size());
    TextOutA(dc_, x_, y_, text.data(), length);
    SIZE extent = {};
    if (GetTextExtentPoint32A(dc_, text.data(), length, &extent)) x_ += extent.cx;
}

void GdiPrintJob::NewLine() {
    x_ = 0;
    y_ += LineHeight();
}

void GdiPrintJob::NewPage() {
    EndPage(dc_);
    StartPage(dc_);
    // some drivers reset the device context at a new page
    if (font_) SelectObject(dc_, font_);
    x_ = 0;
    y_ = 0;
}

void GdiPrintJob::End() {
    if (!dc_) return;
    EndPage(dc_);
    EndDoc(dc_);
    SelectObject(dc_, originalFont_);
    if (font_) DeleteObject(font_);
    DeleteDC(dc_);
    dc_ = nullptr;
    font_ = nullptr;
}

}  // namespace plat::win32
