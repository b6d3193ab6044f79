// The printer functions of window.h on Qt: the system's print dialog
// (QPrintDialog, which also offers printing to a PDF file, and opens on it
// when the machine has no printer) chooses a QPrinter, and the job paints on
// it (qt_print_job); every call after the choice goes to the job.
//
// PANTRIUM_PRINT_TO: when this environment variable holds a path, every print
// job is written to that PDF file at once, without any dialog, by the same
// PDF writer the Windows program uses (unattended runs).
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/window/pdf_print_job.h"
#include "platform/window/qt/qt_print_job.h"
#include "platform/window/qt/qt_state.h"

namespace plat {
using namespace plat::qt;
namespace {

// The job for a new document: the PDF file PANTRIUM_PRINT_TO names, else the
// printer (or file) chosen in the print dialog, or the test driver's answer to
// it. Null when the user cancels.
std::unique_ptr<PrintJob> ChooseJob(Window owner, const std::string& docName, const std::string& pdfPath) {
    if (const char* forced = std::getenv("PANTRIUM_PRINT_TO"); forced && *forced)
        return std::make_unique<PdfPrintJob>(
            docName, forced,
            [](const std::string& path) { std::fprintf(stderr, "The file %s could not be written.\n", path.c_str()); },
            false);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QA(docName));
    if (Hooks().printerDialog) {
        if (!Hooks().printerDialog(owner, docName)) return nullptr;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QDir::temp().filePath("pantrium-test-print.pdf"));
        std::unique_ptr<PrintJob> job = QtPrintJob::Begin(std::move(printer));
        if (job && Hooks().printerOp) Hooks().printerOp(TestHooks::kOpen, docName, Point{}, 0, 0);
        return job;
    }
    // Without a printer the dialog opens on "Print to File (PDF)" with the
    // file proposed (beside the list), else one named after the job in the current folder.
    if (QPrinterInfo::availablePrinters().isEmpty())
        printer->setOutputFileName(QDir::current().absoluteFilePath(pdfPath.empty() ? QA(docName) + ".pdf" : Q(pdfPath)));
    DialogState* st = StateOf(owner);
    QPrintDialog dialog(printer.get(), st ? st->frame : nullptr);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);  // "Print to File (PDF)"
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return QtPrintJob::Begin(std::move(printer), true);
}

}  // namespace

bool PrinterChooseAndOpen(Window owner, const std::string& docName, const std::string& pdfPath) {
    EnsureApplication();
    PrinterClose();
    Layer().printJob = ChooseJob(owner, docName, pdfPath);
    return OpenPrintJob() != nullptr;
}

std::unique_ptr<PrintJob>& OpenPrintJob() { return Layer().printJob; }

}  // namespace plat
