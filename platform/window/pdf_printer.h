// A print job that goes to a PDF file instead of a printer. It offers the same
// operations as the printer functions of window.h, so a window layer can
// hand a job to it when the machine has no printer.
//
// Fixed geometry (a virtual 600 dpi printer):
//  - a Letter page, 8.5 x 11 in = 5100 x 6600 dots, with an unprintable margin
//    of 0.25 in (150 dots) on every side; x = 0, y = 0 is the top left corner
//    of the printable area, 4800 x 6300 dots, as on a real printer;
//  - a font of p points has a character height (em) of round(p * 600 / 72)
//    dots; the job starts with "Courier New" at 12 points (10 characters per
//    inch, the classic printer default);
//  - faces containing "Courier" are drawn with the base-14 Courier fonts
//    (advance 0.6 em, ascent 0.833 em, descent 0.300 em, no external
//    leading); every other face ("MS Sans Serif", "Arial", ...) with
//    Helvetica (ascent 0.905 em, descent 0.212 em, external leading 0.033 em,
//    average character width 0.441 em, 0.479 em bold), widths from the
//    Helvetica metrics;
//  - bold and italic pick Helvetica-Bold / -Oblique (Courier-Bold / -Oblique);
//    underline and strike-out are drawn as thin filled rectangles;
//  - text is placed with the top of its character cell at the current y, the
//    way a printer device context places it; drawing a text moves x on by
//    its width, y stays;
//  - the texts are single-byte (Windows-1252, the PDF WinAnsiEncoding);
//    control characters print as blanks.
#pragma once
#include <string>
#include <vector>

#include "platform/window.h"

namespace plat {

class PdfPrinter {
public:
    static constexpr int kDpi = 600;
    static constexpr int kPageWidth = 5100, kPageHeight = 6600;  // dots, whole sheet
    static constexpr int kMargin = 150;                          // unprintable border
    static constexpr int kPrintableHeight = kPageHeight - 2 * kMargin;
    static constexpr int kStartPoints = 12;

    explicit PdfPrinter(std::string title);

    int DpiX() const { return kDpi; }
    int DpiY() const { return kDpi; }
    Size CharSize() const;     // average char width, line height of the current font
    int LinesPerPage() const;  // printable height / line height
    void SetFont(const std::string& face, int points, int styleSet);  // 1 bold 2 italic 4 underline 8 strike
    void MoveTo(int x, int y);
    Point Position() const { return {x_, y_}; }
    void Text(const std::string& text);
    void NewLine();
    void NewPage();

    int TextWidth(const std::string& text) const;  // dots, current font
    int PageCount() const { return static_cast<int>(pages_.size()); }
    std::string Document() const;                  // the complete PDF file
    bool Save(const std::string& path) const;      // false when it could not be written

private:
    struct Metrics {
        int em, ascent, descent, leading, aveWidth;
    };
    Metrics CurrentMetrics() const;
    int FontNumber() const;  // 1..8, see the resource names in Document()

    std::string title_;
    bool courier_ = true, bold_ = false, italic_ = false, underline_ = false, strike_ = false;
    int points_ = kStartPoints;
    int x_ = 0, y_ = 0;
    std::vector<std::string> pages_;  // content streams
};

}  // namespace plat
