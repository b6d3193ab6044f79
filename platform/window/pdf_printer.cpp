#include "platform/window/pdf_printer.h"

#include <algorithm>
#include <utility>

#include "platform/files.h"

namespace plat {
namespace {

// Helvetica and Helvetica-Bold advance widths (1/1000 em) of the characters
// 32..126 in WinAnsiEncoding (39 is quotesingle, 96 grave there).
constexpr short kHelvetica[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};
constexpr short kHelveticaBold[95] = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611, 975, 722, 722, 722, 722, 667,
    611, 778, 722, 278, 556, 722, 611, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667,
    667, 611, 333, 278, 333, 584, 556, 333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556,
    278, 889, 611, 611, 611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};
constexpr int kOtherWidth = 556;  // characters above 126: a typical letter width

constexpr const char* kBaseFonts[8] = {"Courier",   "Courier-Bold",   "Courier-Oblique",
                                       "Courier-BoldOblique", "Helvetica", "Helvetica-Bold",
                                       "Helvetica-Oblique",   "Helvetica-BoldOblique"};

int Scale(int em, int thousandths) { return (em * thousandths + 500) / 1000; }

bool ContainsCourier(const std::string& face) {
    std::string lower(face);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return lower.find("courier") != std::string::npos;
}

// A PDF string literal: blanks for control characters, octal escapes for
// bytes outside printable ASCII, so the file stays 7-bit clean.
std::string PdfString(const std::string& text) {
    std::string out = "(";
    for (unsigned char c : text) {
        if (c < 32 || c == 127) {
            out += ' ';
        } else if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c > 127) {
            out += '\\';
            out += static_cast<char>('0' + (c >> 6));
            out += static_cast<char>('0' + ((c >> 3) & 7));
            out += static_cast<char>('0' + (c & 7));
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + ")";
}

std::string Rectangle(int x, int y, int w, int h) {
    return std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " +
           std::to_string(h) + " re f\n";
}

}  // namespace

PdfPrinter::PdfPrinter(std::string title) : title_(std::move(title)), pages_(1) {}

PdfPrinter::Metrics PdfPrinter::CurrentMetrics() const {
    const int em = std::max(1, (std::max(points_, 1) * kDpi + 36) / 72);
    if (courier_) return {em, Scale(em, 833), Scale(em, 300), 0, Scale(em, 600)};
    return {em, Scale(em, 905), Scale(em, 212), Scale(em, 33), Scale(em, bold_ ? 479 : 441)};
}

int PdfPrinter::FontNumber() const { return (courier_ ? 1 : 5) + (bold_ ? 1 : 0) + (italic_ ? 2 : 0); }

Size PdfPrinter::CharSize() const {
    const Metrics m = CurrentMetrics();
    return {m.aveWidth, m.ascent + m.descent + m.leading};
}

int PdfPrinter::LinesPerPage() const { return kPrintableHeight / CharSize().cy; }

void PdfPrinter::SetFont(const std::string& face, int points, int styleSet) {
    courier_ = ContainsCourier(face);
    points_ = points;
    bold_ = styleSet & 1;
    italic_ = styleSet & 2;
    underline_ = styleSet & 4;
    strike_ = styleSet & 8;
}

void PdfPrinter::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

int PdfPrinter::TextWidth(const std::string& text) const {
    const Metrics m = CurrentMetrics();
    long units = 0;
    for (unsigned char c : text) {
        if (courier_) units += 600;
        else if (c < 32 || c == 127) units += (bold_ ? kHelveticaBold : kHelvetica)[0];
        else if (c > 126) units += kOtherWidth;
        else units += (bold_ ? kHelveticaBold : kHelvetica)[c - 32];
    }
    return static_cast<int>((units * m.em + 500) / 1000);
}

void PdfPrinter::Text(const std::string& text) {
    const Metrics m = CurrentMetrics();
    const int width = TextWidth(text);
    // PDF space: origin at the bottom left of the sheet, y upwards, in dots
    // (each page's stream starts by scaling dots to points).
    const int left = kMargin + x_;
    const int baseline = kPageHeight - (kMargin + y_ + m.ascent);
    std::string& page = pages_.back();
    page += "BT /F" + std::to_string(FontNumber()) + " " + std::to_string(m.em) + " Tf " +
            std::to_string(left) + " " + std::to_string(baseline) + " Td " + PdfString(text) +
            " Tj ET\n";
    const int thickness = std::max(1, Scale(m.em, courier_ ? 50 : (bold_ ? 69 : 50)));
    if (underline_ && width > 0)
        page += Rectangle(left, baseline - Scale(m.em, 151) - thickness / 2, width, thickness);
    if (strike_ && width > 0)
        page += Rectangle(left, baseline + Scale(m.em, 262) - thickness / 2, width, thickness);
    x_ += width;
}

void PdfPrinter::NewLine() {
    x_ = 0;
    y_ += CharSize().cy;
}

void PdfPrinter::NewPage() {
    pages_.emplace_back();
    x_ = 0;
    y_ = 0;
}

std::string PdfPrinter::Document() const {
    // Objects: 1 catalog, 2 page tree, 3 document information, 4..11 the
    // fonts F1..F8, then a page object and its content stream per page.
    constexpr int kFirstFont = 4, kFirstPage = 12;
    const int pageCount = PageCount();
    const int objectCount = kFirstPage + 2 * pageCount;  // including object 0
    std::vector<std::size_t> offsets(objectCount, 0);
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    auto begin = [&](int number) {
        offsets[number] = out.size();
        out += std::to_string(number) + " 0 obj\n";
    };

    begin(1);
    out += "<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";
    begin(2);
    out += "<< /Type /Pages /Count " + std::to_string(pageCount) + " /Kids [";
    for (int i = 0; i < pageCount; ++i) out.append(" ").append(std::to_string(kFirstPage + 2 * i)).append(" 0 R");
    out += " ] >>\nendobj\n";
    begin(3);
    out += "<< /Title " + PdfString(title_) + " /Producer (Pantrium) >>\nendobj\n";
    for (int f = 0; f < 8; ++f) {
        begin(kFirstFont + f);
        out += "<< /Type /Font /Subtype /Type1 /BaseFont /" + std::string(kBaseFonts[f]) +
               " /Encoding /WinAnsiEncoding >>\nendobj\n";
    }
    std::string fonts = "<< /Font <<";
    for (int f = 0; f < 8; ++f)
        fonts += " /F" + std::to_string(f + 1) + " " + std::to_string(kFirstFont + f) + " 0 R";
    fonts += " >> >>";
    const std::string mediaBox = "[0 0 " + std::to_string(kPageWidth * 72 / kDpi) + " " +
                                 std::to_string(kPageHeight * 72 / kDpi) + "]";
    for (int i = 0; i < pageCount; ++i) {
        const int pageObject = kFirstPage + 2 * i;
        begin(pageObject);
        out += "<< /Type /Page /Parent 2 0 R /MediaBox " + mediaBox + " /Resources " + fonts +
               " /Contents " + std::to_string(pageObject + 1) + " 0 R >>\nendobj\n";
        // 72 / 600 = 0.12 points per dot
        const std::string content = "0.12 0 0 0.12 0 0 cm\n" + pages_[i];
        begin(pageObject + 1);
        out += "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
               "\nendstream\nendobj\n";
    }

    const std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(objectCount) + "\n0000000000 65535 f \n";
    for (int n = 1; n < objectCount; ++n) {
        const std::string offset = std::to_string(offsets[n]);
        out += std::string(10 - std::min<std::size_t>(10, offset.size()), '0') + offset + " 00000 n \n";
    }
    out += "trailer\n<< /Size " + std::to_string(objectCount) + " /Root 1 0 R /Info 3 0 R >>\n" +
           "startxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

bool PdfPrinter::Save(const std::string& path) const {
    const std::string doc = Document();
    return pantrium::files::WriteWholeFile(path, doc.data(), doc.size());
}

}  // namespace plat
