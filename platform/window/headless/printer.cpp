// The printer of the headless layer: fixed geometry, every operation recorded.
#include "platform/window/headless/headless_metrics.h"
#include "platform/window/headless/state.h"

namespace headless::detail {
namespace {

using Op = headless::PrinterOp;

PrinterState& P() { return S().printer; }

void Record(Op::Kind kind, const std::string& text = {}) {
    Op op{};
    op.kind = kind;
    op.text = text;
    op.x = P().x;
    op.y = P().y;
    S().printerOps.push_back(op);
}

int Weight() { return (P().style & 1) ? 700 : 400; }

void Select(const std::string& face, int points, int style) {
    P().face = face;
    P().height = points * metrics::kPrinterDpi / 72;
    P().style = style;
}

}  // namespace
}  // namespace headless::detail

namespace plat {
using namespace headless::detail;
namespace metrics = headless::metrics;

bool PrinterChooseAndOpen(Window, const std::string& docName, const std::string& pdfPath) {
    State& s = S();
    if (s.printerAnswers.empty()) {
        Fail("unscripted printer dialog");
        return false;
    }
    const PrinterAnswer answer = s.printerAnswers.front();
    s.printerAnswers.pop_front();
    if (answer == PrinterAnswer::Cancel) return false;
    if (P().open) Fail("printer opened while a print job was open");
    P() = PrinterState();
    P().open = true;
    if (answer == PrinterAnswer::File) P().toFile = pdfPath.empty() ? docName + ".pdf" : pdfPath;
    Select("Courier New", metrics::kPrinterStartPoints, 0);
    Record(headless::PrinterOp::Open, docName);
    s.printerOps.back().file = pdfPath;
    return true;
}

int PrinterDpiX() { return P().open ? metrics::kPrinterDpi : 0; }

int PrinterDpiY() { return P().open ? metrics::kPrinterDpi : 0; }

Size PrinterCharSize() {
    if (!P().open) return {};
    return {CharWidth(P().face, P().height, Weight(), 'x'), P().height};  // 'x' has the average width
}

int PrinterLinesPerPage() {
    if (!P().open || P().height <= 0) return 0;
    return metrics::kPrintableHeight / P().height;
}

void PrinterSetFont(const std::string& face, int points, int styleSet) {
    if (!P().open) return;
    Op op{};
    op.kind = headless::PrinterOp::SetFont;
    op.text = face;
    op.x = P().x;
    op.y = P().y;
    op.points = points;
    op.style = styleSet;
    S().printerOps.push_back(op);
    Select(face, points, styleSet);
}

void PrinterMoveTo(int x, int y) {
    if (!P().open) return;
    P().x = x;
    P().y = y;
    Record(headless::PrinterOp::MoveTo);  // records the target
}

Point PrinterPosition() {
    if (!P().open) return {};
    return {P().x, P().y};
}

void PrinterText(const std::string& text) {
    if (!P().open) return;
    Record(headless::PrinterOp::Text, text);
    P().x += TextWidth(P().face, P().height, Weight(), text);
}

void PrinterNewLine() {
    if (!P().open) return;
    Record(headless::PrinterOp::NewLine);
    P().x = 0;
    P().y += P().height;
}

void PrinterNewPage() {
    if (!P().open) return;
    Record(headless::PrinterOp::NewPage);
    P().x = 0;
    P().y = 0;
}

std::string PrinterClose() {
    if (!P().open) return {};
    Record(headless::PrinterOp::Close);
    P().open = false;
    return P().toFile;
}

}  // namespace plat
