// The printer functions of window.h after a document has begun, for the real
// layers (Win32, Qt): each goes to the layer's open job, and does nothing
// when no job is open. How a job is chosen is each layer's own
// (PrinterChooseAndOpen in its printer file).
#include <memory>

#include "platform/window/print_job.h"

namespace plat {

namespace {
PrintJob* Job() { return OpenPrintJob().get(); }
}  // namespace

int PrinterDpiX() { return Job() ? Job()->DpiX() : 0; }

int PrinterDpiY() { return Job() ? Job()->DpiY() : 0; }

Size PrinterCharSize() { return Job() ? Job()->CharSize() : Size{}; }

int PrinterLinesPerPage() { return Job() ? Job()->LinesPerPage() : 0; }

void PrinterSetFont(const std::string& face, int points, int styleSet) {
    if (Job()) Job()->SetFont(face, points, styleSet);
}

void PrinterMoveTo(int x, int y) {
    if (Job()) Job()->MoveTo(x, y);
}

Point PrinterPosition() { return Job() ? Job()->Position() : Point{}; }

void PrinterText(const std::string& text) {
    if (Job()) Job()->Text(text);
}

void PrinterNewLine() {
    if (Job()) Job()->NewLine();
}

void PrinterNewPage() {
    if (Job()) Job()->NewPage();
}

std::string PrinterClose() {
    // Taken out of the state before it ends: a message about an unwritten
    // file runs a modal loop, in which the job is over already.
    std::unique_ptr<PrintJob> job = std::move(OpenPrintJob());
    if (!job) return {};
    job->End();
    return job->WrittenFile();
}

}  // namespace plat
