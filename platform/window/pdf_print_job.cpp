#include "platform/window/pdf_print_job.h"

#include <utility>

namespace plat {

PdfPrintJob::PdfPrintJob(const std::string& docName, std::string path, UnwrittenReport reportUnwritten,
                         bool announced)
    : pdf_(docName), path_(std::move(path)), reportUnwritten_(std::move(reportUnwritten)), announced_(announced) {}

void PdfPrintJob::End() {
    written_ = pdf_.Save(path_);
    if (!written_ && reportUnwritten_) reportUnwritten_(path_);
}

}  // namespace plat
