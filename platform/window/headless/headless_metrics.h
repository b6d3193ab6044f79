// The fixed, deterministic metrics of the headless window layer. Tests may
// compute expected positions and sizes from these numbers.
//
// Screen
//   screen 1024 x 768, work area 1024 x 740 at 0,0; 96 dots per inch.
//
// Window frame (every dialog)
//   border 3 px on each side; caption bar 19 px when the frame has kCaption;
//   a menu bar takes 19 px from the top of the client area (the outer size
//   stays). So outer = client + 6 wide, client + 6 (+ 19 with a caption) high.
//   A centred dialog's outer rectangle sits at
//   ((1024 - outer width) / 2, (740 - outer height) / 2), whole-number
//   division; a dialog that is not centred opens at 0,0.
//   A status bar is 20 px high, at the bottom of the client area, full width
//   (it follows the client area when a menu bar is attached).
//
// Dialog units (dialogs built with dialogUnits): base units of
//   "MS Sans Serif" 8 pt: x pixels = x * 6 / 4, y pixels = y * 13 / 8, both
//   rounded to the nearest pixel (halves up), as MulDiv does.
//
// Screen fonts
//   The dialog font is "MS Sans Serif" at -(points * 96 / 72, rounded), so
//   8 pt gives height -11; its handle is the layer's own (GetControlFont
//   reports it) and is not counted by LiveFonts.
//   For a font of height h (|height|, 11 when the height is 0):
//     average character width a = (6 * h + 5) / 11  (6 for h = 11, 7 for 13)
//     narrow characters  i I l j t f r . , : ; ' ! | and space: a / 2 (min 1)
//     wide characters    W M m w @ %:                            a + a / 2
//     every other character:                                     a
//     bold (weight >= 700) adds 1 px to every character.
//     The face "Courier New" (any case) is fixed-pitch: every character is
//     6 * h / 10 wide (whole-number division).
//   Text height (MeasureText cy, list row height) = h + 2 for a negative
//   (character) height, h for a positive (cell) height: 13 px for the
//   dialog font.
//
// List boxes
//   row height = text height of the list's font (13 px with the dialog font);
//   rows start at the control's top edge (1 px lower with kStaticEdge, 2 px
//   with kClientEdge); a simple combo's list starts 21 px below its top
//   (its edit field). Visible rows = list height / row height (at least 1).
//   ListSetTopIndex keeps the top index within 0..max(0, count - visible);
//   selecting an entry (from code or by the user) scrolls it into view.
//
// Printer (every printer the user can pick)
//   600 x 600 dots per inch; printable area 4800 x 6600 dots.
//   A font of p points is p * 600 / 72 dots high (whole-number division),
//   no external leading: line height = that height. Character widths follow
//   the screen rules above with h = that height, so "Courier New" is
//   fixed-pitch at 6 * h / 10 dots (12 pt: 60 dots).
//   The starting font is "Courier New" 12 pt: character size 60 x 100,
//   66 lines per page. "MS Sans Serif" 11 pt: height and line height 91 dots,
//   average width 50 dots.
#pragma once

namespace headless::metrics {

constexpr int kScreenWidth = 1024, kScreenHeight = 768;
constexpr int kWorkWidth = 1024, kWorkHeight = 740;
constexpr int kScreenDpi = 96;

constexpr int kBorder = 3;
constexpr int kCaption = 19;
constexpr int kMenuBar = 19;
constexpr int kStatusBarHeight = 20;

constexpr int kDluBaseX = 6, kDluBaseY = 13;  // x * 6 / 4, y * 13 / 8

constexpr int kDefaultFontHeight = 11;  // when a font asks for height 0
constexpr int kComboEditHeight = 21;

constexpr int kPrinterDpi = 600;
constexpr int kPrintableWidth = 4800, kPrintableHeight = 6600;
constexpr int kPrinterStartPoints = 12;  // "Courier New"

}  // namespace headless::metrics
