#include "platform/window/pdf_print_job.h"

#include <utility>

namespace plat {

PdfPrintJob::PdfPrintJob(const std::string& docName, std::string path, UnwrittenReport reportUnwritten)
    : pdf_(docName), path_(std::move(path)), reportUnwritten_(std::move(reportUnwritten)) {}

void PdfPrintJob::End() {
    if (!pdf_.Save(path_) && reportUnwritten_) reportUnwritten_(path_);
}

}  // namespace plat
