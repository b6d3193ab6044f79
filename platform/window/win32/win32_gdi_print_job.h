// A print job on a printer device context: GDI fonts and TextOutA.
#pragma once
#include <memory>
#include <string>

#include "platform/window/print_job.h"
#include "platform/window/win32/win32_internal.h"

namespace plat::win32 {

class GdiPrintJob final : public PrintJob {
public:
    // Starts the document and its first page on dc, which the job owns from
    // then on; null (and dc deleted) when the printer refuses the document.
    static std::unique_ptr<PrintJob> Begin(HDC dc, const std::string& docName);

    int DpiX() const override;
    int DpiY() const override;
    Size CharSize() const override;
    int LinesPerPage() const override;
    void SetFont(const std::string& face, int points, int styleSet) override;
    void MoveTo(int x, int y) override;
    Point Position() const override { return {x_, y_}; }
    void Text(const std::string& text) override;
    void NewLine() override;
    void NewPage() override;
    void End() override;

private:
    explicit GdiPrintJob(HDC dc);
    HFONT MakeFont(const std::string& face, int points, int styleSet) const;
    void SelectFont(HFONT font);
    int LineHeight() const;

    HDC dc_;
    HGDIOBJ originalFont_;    // the DC's own font, put back before DeleteDC
    HFONT font_ = nullptr;    // our font, selected into the DC
    int x_ = 0, y_ = 0;
};

}  // namespace plat::win32
