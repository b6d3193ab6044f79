// The PDF print job: geometry of the virtual printer, the drawing commands it
// writes, and a file structure a PDF reader accepts.
#include "platform/window/pdf_printer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

using plat::PdfPrinter;

std::string Between(const std::string& s, const std::string& from, const std::string& to,
                    std::size_t start = 0) {
    const std::size_t a = s.find(from, start);
    if (a == std::string::npos) return "";
    const std::size_t b = s.find(to, a + from.size());
    return b == std::string::npos ? "" : s.substr(a + from.size(), b - a - from.size());
}

int Count(const std::string& s, const std::string& what) {
    int n = 0;
    for (std::size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
    return n;
}

TEST(PdfPrinter, GeometryOfTheVirtualPrinter) {
    PdfPrinter job("Print job");
    EXPECT_EQ(job.DpiX(), 600);
    EXPECT_EQ(job.DpiY(), 600);
    // starting font Courier New 12 pt: em 100 dots, cell 83 + 30
    EXPECT_EQ(job.CharSize(), (plat::Size{60, 113}));
    EXPECT_EQ(job.LinesPerPage(), 6300 / 113);

    job.SetFont("MS Sans Serif", 11, 0);  // em round(91.67) = 92
    EXPECT_EQ(job.CharSize(), (plat::Size{41, 83 + 20 + 3}));
    job.SetFont("MS Sans Serif", 11, 1);
    EXPECT_EQ(job.CharSize().cx, 44);
    job.SetFont("courier new", 10, 0);  // face matched without regard to case
    EXPECT_EQ(job.CharSize().cx, 50);
    job.SetFont("Courier New", 0, 0);  // nonsense sizes still give a usable font
    EXPECT_GT(job.CharSize().cy, 0);
    EXPECT_GT(job.LinesPerPage(), 0);
}

TEST(PdfPrinter, PositionFollowsTextLinesAndPages) {
    PdfPrinter job("Print job");
    job.MoveTo(300, 500);
    EXPECT_EQ(job.Position(), (plat::Point{300, 500}));
    job.Text("abc");  // Courier: 3 x 60 dots
    EXPECT_EQ(job.Position(), (plat::Point{480, 500}));
    job.SetFont("MS Sans Serif", 11, 0);
    EXPECT_EQ(job.TextWidth("Item"), 179);  // I t e m: (278 + 278 + 556 + 833) / 1000 of 92 dots
    job.NewLine();
    EXPECT_EQ(job.Position(), (plat::Point{0, 606}));
    job.NewPage();
    EXPECT_EQ(job.Position(), (plat::Point{0, 0}));
    EXPECT_EQ(job.PageCount(), 2);
}

TEST(PdfPrinter, TextIsPlacedWithTheCellTopAtY) {
    PdfPrinter job("Print job");
    job.MoveTo(0, 0);
    job.Text("x");
    job.SetFont("MS Sans Serif", 11, 1);
    job.MoveTo(1000, 200);
    job.Text("y");
    const std::string doc = job.Document();
    // margin 150; baseline = 6600 - (150 + y + ascent)
    EXPECT_NE(doc.find("BT /F1 100 Tf 150 6367 Td (x) Tj ET"), std::string::npos) << doc;
    EXPECT_NE(doc.find("BT /F6 92 Tf 1150 6167 Td (y) Tj ET"), std::string::npos) << doc;
    EXPECT_NE(doc.find("/F6 9 0 R"), std::string::npos);
    EXPECT_NE(doc.find("/BaseFont /Helvetica-Bold "), std::string::npos);
}

TEST(PdfPrinter, UnderlineAndStrikeOutAreDrawnAsLinesUnderTheWholeText) {
    PdfPrinter job("Print job");
    job.SetFont("MS Sans Serif", 11, 5);
    job.MoveTo(0, 0);
    job.Text("Units");
    const int width = job.TextWidth("Units");
    job.SetFont("MS Sans Serif", 11, 0);
    job.Text("plain");
    job.SetFont("Arial", 11, 8);
    job.Text("gone");
    job.SetFont("Arial", 11, 4);
    job.Text("");  // nothing to underline
    const std::string doc = job.Document();
    EXPECT_EQ(Count(doc, " re f"), 2);
    const std::regex underline("150 (\\d+) " + std::to_string(width) + " (\\d+) re f");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(doc, m, underline)) << doc;
    const int baseline = 6600 - (150 + 83);
    EXPECT_LT(std::stoi(m[1]), baseline);  // below the baseline
    EXPECT_GT(std::stoi(m[1]), baseline - 30);
}

TEST(PdfPrinter, TextsAreEscapedForPdfStrings) {
    PdfPrinter job("Title (1)");
    job.Text(std::string("a(b)c\\d") + '\t' + '\0' + "\xE9" + "\x80");
    const std::string doc = job.Document();
    EXPECT_NE(doc.find("(a\\(b\\)c\\\\d  \\351\\200) Tj"), std::string::npos) << doc;
    EXPECT_NE(doc.find("/Title (Title \\(1\\))"), std::string::npos);
    for (std::size_t i = doc.find("stream\n"); i < doc.size(); ++i)
        ASSERT_LT(static_cast<unsigned char>(doc[i]), 128) << "8-bit byte at " << i;
}

// The cross-reference table must point at every object, and each stream's
// length must match, or readers have to repair the file.
TEST(PdfPrinter, FileStructureIsConsistent) {
    PdfPrinter job("Print job");
    job.Text("first page");
    job.NewPage();
    job.Text("second page");
    job.NewPage();
    const std::string doc = job.Document();
    ASSERT_EQ(doc.rfind("%PDF-1.4\n", 0), 0u);
    EXPECT_EQ(doc.substr(doc.size() - 6), "%%EOF\n");
    EXPECT_NE(doc.find("/Count 3 /Kids [ 12 0 R 14 0 R 16 0 R ]"), std::string::npos);

    const std::size_t xref = std::stoul(Between(doc, "startxref\n", "\n"));
    ASSERT_EQ(doc.compare(xref, 5, "xref\n"), 0);
    std::istringstream table(doc.substr(xref + 5));
    int first = -1, count = 0;
    table >> first >> count;
    EXPECT_EQ(first, 0);
    EXPECT_EQ(count, 18);
    EXPECT_NE(doc.find("/Size 18 "), std::string::npos);
    std::string line;
    std::getline(table, line);
    for (int n = 0; n < count; ++n) {
        ASSERT_TRUE(std::getline(table, line));
        ASSERT_EQ(line.size(), 19u) << line;  // 20 bytes with the newline
        if (n == 0) continue;
        const std::size_t offset = std::stoul(line.substr(0, 10));
        EXPECT_EQ(doc.compare(offset, std::to_string(n).size() + 6, std::to_string(n) + " 0 obj"),
                  0)
            << "object " << n;
    }

    for (std::size_t p = doc.find("/Length "); p != std::string::npos;
         p = doc.find("/Length ", p + 1)) {
        const std::size_t length = std::stoul(doc.substr(p + 8));
        const std::size_t data = doc.find("stream\n", p) + 7;
        EXPECT_EQ(doc.compare(data + length, 10, "\nendstream"), 0);
    }
}

TEST(PdfPrinter, SaveWritesTheDocumentAndReportsFailure) {
    PdfPrinter job("Print job");
    job.Text("saved");
    const std::string path = ::testing::TempDir() + "pdf_printer_save.pdf";
    ASSERT_TRUE(job.Save(path));
    std::ifstream in(path, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(written, job.Document());
    std::remove(path.c_str());
    EXPECT_FALSE(job.Save(::testing::TempDir() + "no-such-directory/x.pdf"));
}

}  // namespace
