// The printer functions of platform.h on Qt: the system's print dialog
// (QPrintDialog, which also offers printing to a PDF file, and opens on it
// when the machine has no printer) and a QPainter on the chosen QPrinter.
//
// PANTRIUM_PRINT_TO: when this environment variable holds a path, every print
// job is written to that PDF file at once, without any dialog, by the same
// PDF writer the Windows program uses (unattended runs).
#include <QDir>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/pdf_printer.h"
#include "platform/qt/qt_hooks.h"
#include "platform/qt/qt_internal.h"

namespace plat {
using namespace plat::qt;
namespace {

struct Job {
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<QPainter> painter;
    int x = 0, y = 0;
};
Job job;
std::unique_ptr<PdfPrinter> pdf;
std::string pdfPath;

void Record(TestHooks::PrinterOpKind kind, const std::string& text = {}, int points = 0, int style = 0) {
    if (Hooks().printerOp && job.painter) Hooks().printerOp(kind, text, Point{job.x, job.y}, points, style);
}

QFontMetrics Metrics() { return QFontMetrics(job.painter->font(), job.printer.get()); }
int LineHeight() { return Metrics().height() + Metrics().leading(); }

void SetPainterFont(const std::string& face, int points, int styleSet) {
    QFont f(StandInFace(face));  // the same stand-in for a missing face as on screen
    f.setPointSize(points > 0 ? points : 10);
    f.setBold(styleSet & 1);
    f.setItalic(styleSet & 2);
    f.setUnderline(styleSet & 4);
    f.setStrikeOut(styleSet & 8);
    job.painter->setFont(QFont(f, job.printer.get()));
}

bool Begin(std::unique_ptr<QPrinter> printer) {
    job = Job{};
    job.printer = std::move(printer);
    job.painter = std::make_unique<QPainter>();
    if (!job.painter->begin(job.printer.get())) {
        job = Job{};
        return false;
    }
    // The classic printer default: "Courier New" at 12 points.
    SetPainterFont("Courier New", PdfPrinter::kStartPoints, 0);
    return true;
}

}  // namespace

bool PrinterChooseAndOpen(Window owner, const std::string& docName) {
    EnsureApplication();
    PrinterClose();
    if (const char* forced = std::getenv("PANTRIUM_PRINT_TO"); forced && *forced) {
        pdf = std::make_unique<PdfPrinter>(docName);
        pdfPath = forced;
        return true;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(Q(docName));
    if (Hooks().printerDialog) {
        if (!Hooks().printerDialog(owner, docName)) return false;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QDir::temp().filePath("pantrium-test-print.pdf"));
        if (!Begin(std::move(printer))) return false;
        Record(TestHooks::kOpen, docName);
        return true;
    }
    // Without a printer the dialog opens on "Print to File (PDF)", a file named
    // after the job in the current folder.
    if (QPrinterInfo::availablePrinters().isEmpty())
        printer->setOutputFileName(QDir::current().filePath(Q(docName) + ".pdf"));
    DialogState* st = StateOf(owner);
    QPrintDialog dialog(printer.get(), st ? st->frame : nullptr);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);  // "Print to File (PDF)"
    if (dialog.exec() != QDialog::Accepted) return false;
    return Begin(std::move(printer));
}

int PrinterDpiX() {
    if (pdf) return pdf->DpiX();
    return job.printer ? job.printer->resolution() : 0;
}

int PrinterDpiY() {
    if (pdf) return pdf->DpiY();
    return job.printer ? job.printer->resolution() : 0;
}

Size PrinterCharSize() {
    if (pdf) return pdf->CharSize();
    if (!job.painter) return {};
    return {Metrics().averageCharWidth(), LineHeight()};
}

int PrinterLinesPerPage() {
    if (pdf) return pdf->LinesPerPage();
    if (!job.painter) return 0;
    int line = LineHeight();
    return line > 0 ? static_cast<int>(job.printer->pageRect(QPrinter::DevicePixel).height()) / line : 0;
}

void PrinterSetFont(const std::string& face, int points, int styleSet) {
    if (pdf) return pdf->SetFont(face, points, styleSet);
    if (!job.painter) return;
    Record(TestHooks::kSetFont, face, points, styleSet);
    SetPainterFont(face, points, styleSet);
}

void PrinterMoveTo(int x, int y) {
    if (pdf) return pdf->MoveTo(x, y);
    job.x = x;
    job.y = y;
    Record(TestHooks::kMoveTo);
}

Point PrinterPosition() {
    if (pdf) return pdf->Position();
    return job.painter ? Point{job.x, job.y} : Point{};
}

void PrinterText(const std::string& text) {
    if (pdf) return pdf->Text(text);
    if (!job.painter || text.empty()) return;
    // The top of the character cell at y, as a printer device context places text.
    Record(TestHooks::kText, text);
    QString t = Q(text);
    job.painter->drawText(job.x, job.y + Metrics().ascent(), t);
    job.x += Metrics().horizontalAdvance(t);
}

void PrinterNewLine() {
    if (pdf) return pdf->NewLine();
    if (!job.painter) return;
    Record(TestHooks::kNewLine);
    job.x = 0;
    job.y += LineHeight();
}

void PrinterNewPage() {
    if (pdf) return pdf->NewPage();
    if (!job.painter) return;
    Record(TestHooks::kNewPage);
    job.printer->newPage();
    job.x = 0;
    job.y = 0;
}

void PrinterClose() {
    if (pdf) {
        bool written = pdf->Save(pdfPath);
        pdf.reset();
        if (!written) std::fprintf(stderr, "The file %s could not be written.\n", pdfPath.c_str());
        return;
    }
    if (!job.painter) return;
    Record(TestHooks::kClose);
    job.painter->end();
    job = Job{};
}

}  // namespace plat
