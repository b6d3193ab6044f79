// A print job on a QPrinter, drawn with a QPainter. Every operation is shown
// to the test driver's printerOp hook when one is set (qt_hooks.h).
#pragma once
#include <QPainter>
#include <QPrinter>

#include <memory>
#include <string>
#include <utility>

#include "platform/window/print_job.h"

namespace plat::qt {

class QtPrintJob final : public PrintJob {
public:
    // Starts painting on printer; null when the painter cannot begin. The
    // user's own choice (announced) is told where a PDF file went.
    static std::unique_ptr<PrintJob> Begin(std::unique_ptr<QPrinter> printer, bool announced = false);

    int DpiX() const override { return printer_->resolution(); }
    int DpiY() const override { return printer_->resolution(); }
    Size CharSize() const override;
    int LinesPerPage() const override;
    void SetFont(const std::string& face, int points, int styleSet) override;
    void MoveTo(int x, int y) override;
    Point Position() const override { return {x_, y_}; }
    void Text(const std::string& text) override;
    void NewLine() override;
    void NewPage() override;
    void End() override;
    std::string WrittenFile() const override;

private:
    explicit QtPrintJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}
    QFontMetrics Metrics() const;
    int LineHeight() const;
    void SetPainterFont(const std::string& face, int points, int styleSet);

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    int x_ = 0, y_ = 0;
    bool ended_ = false;
    bool announced_ = false;
    bool written_ = false;
};

}  // namespace plat::qt
