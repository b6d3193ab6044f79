#include "platform/window/qt/qt_print_job.h"

#include <QFileInfo>

#include "platform/window/pdf_printer.h"
#include "platform/window/qt/qt_hooks.h"
#include "platform/window/qt/qt_internal.h"

namespace plat::qt {
namespace {

void Record(TestHooks::PrinterOpKind kind, Point at, const std::string& text = {}, int points = 0,
            int style = 0) {
    if (Hooks().printerOp) Hooks().printerOp(kind, text, at, points, style);
}

}  // namespace

std::unique_ptr<PrintJob> QtPrintJob::Begin(std::unique_ptr<QPrinter> printer, bool announced) {
    std::unique_ptr<QtPrintJob> job(new QtPrintJob(std::move(printer)));
    job->announced_ = announced;
    if (!job->painter_.begin(job->printer_.get())) return nullptr;
    // The classic printer default: "Courier New" at 12 points.
    job->SetPainterFont("Courier New", PdfPrinter::kStartPoints, 0);
    return job;
}

QFontMetrics QtPrintJob::Metrics() const { return QFontMetrics(painter_.font(), printer_.get()); }

int QtPrintJob::LineHeight() const { return Metrics().height() + Metrics().leading(); }

void QtPrintJob::SetPainterFont(const std::string& face, int points, int styleSet) {
    QFont f(StandInFace(face));  // the same stand-in for a missing face as on screen
    f.setPointSize(points > 0 ? points : 10);
    f.setBold(styleSet & 1);
    f.setItalic(styleSet & 2);
    f.setUnderline(styleSet & 4);
    f.setStrikeOut(styleSet & 8);
    painter_.setFont(QFont(f, printer_.get()));
}

Size QtPrintJob::CharSize() const { return {Metrics().averageCharWidth(), LineHeight()}; }

int QtPrintJob::LinesPerPage() const {
    const int line = LineHeight();
    return line > 0 ? static_cast<int>(printer_->pageRect(QPrinter::DevicePixel).height()) / line : 0;
}

void QtPrintJob::SetFont(const std::string& face, int points, int styleSet) {
    Record(TestHooks::kSetFont, Position(), face, points, styleSet);
    SetPainterFont(face, points, styleSet);
}

void QtPrintJob::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
    Record(TestHooks::kMoveTo, Position());
}

void QtPrintJob::Text(const std::string& text) {
    if (text.empty()) return;
    // The top of the character cell at y, as a printer device context places text.
    Record(TestHooks::kText, Position(), text);
    const QString t = QA(text);
    painter_.drawText(x_, y_ + Metrics().ascent(), t);
    x_ += Metrics().horizontalAdvance(t);
}

void QtPrintJob::NewLine() {
    Record(TestHooks::kNewLine, Position());
    x_ = 0;
    y_ += LineHeight();
}

void QtPrintJob::NewPage() {
    Record(TestHooks::kNewPage, Position());
    printer_->newPage();
    x_ = 0;
    y_ = 0;
}

void QtPrintJob::End() {
    if (ended_) return;
    ended_ = true;
    Record(TestHooks::kClose, Position());
    written_ = painter_.end();
}

std::string QtPrintJob::WrittenFile() const {
    const bool toFile = printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty();
    return announced_ && written_ && toFile ? U(QFileInfo(printer_->outputFileName()).absoluteFilePath())
                                            : std::string();
}

}  // namespace plat::qt
