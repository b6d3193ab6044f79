// A print job drawn into a PDF file (platform/window/pdf_printer.h), written when the
// job ends. How a file that could not be written is reported is the layer's
// business (a message box on Windows, a line on stderr elsewhere, or nothing
// for unattended runs), so the layer passes it in; so is whether a written
// file is announced to the user (not for unattended runs).
#pragma once
#include <functional>
#include <string>

#include "platform/window/pdf_printer.h"
#include "platform/window/print_job.h"

namespace plat {

class PdfPrintJob final : public PrintJob {
public:
    using UnwrittenReport = std::function<void(const std::string& path)>;

    PdfPrintJob(const std::string& docName, std::string path, UnwrittenReport reportUnwritten,
                bool announced = true);

    int DpiX() const override { return pdf_.DpiX(); }
    int DpiY() const override { return pdf_.DpiY(); }
    Size CharSize() const override { return pdf_.CharSize(); }
    int LinesPerPage() const override { return pdf_.LinesPerPage(); }
    void SetFont(const std::string& face, int points, int styleSet) override {
        pdf_.SetFont(face, points, styleSet);
    }
    void MoveTo(int x, int y) override { pdf_.MoveTo(x, y); }
    Point Position() const override { return pdf_.Position(); }
    void Text(const std::string& text) override { pdf_.Text(text); }
    void NewLine() override { pdf_.NewLine(); }
    void NewPage() override { pdf_.NewPage(); }
    void End() override;
    std::string WrittenFile() const override { return written_ && announced_ ? path_ : std::string(); }

private:
    PdfPrinter pdf_;
    std::string path_;
    UnwrittenReport reportUnwritten_;
    bool announced_;
    bool written_ = false;
};

}  // namespace plat
