// A 60-item shopping list printed on the headless printer (two pages) and
// replayed into the PDF print job, so the page can be looked at: the file
// "printed_list_60_items.pdf" stays in the test's working directory (the
// build directory). When poppler's pdftoppm is installed the PDF is also
// rendered and checked for ink where the title, the heading and the columns
// go, and its text is read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/dates.h"
#include "platform/window/pdf_printer.h"
#include "print/printed_list.h"
#include "print_test_support.h"

namespace pantrium::test {
namespace {

using Op = headless::PrinterOp;

void BuildSixtyItems() {
    StartTable({"bakery", "dairy", "produce", "meat", "pantry", "household"});
    const char* names[] = {"Bread", "Milk", "Apples", "Chicken", "Rice", "Soap", "Bagels", "Eggs",
                           "Pears", "Beef", "Pasta", "Towels"};
    const char* units[] = {"loaf", "gallon", "pound", "pound", "2 lb bag", "bar",
                           "dozen", "dozen", "pound", "pound", "box", "roll"};
    for (int i = 0; i < 60; ++i) {
        const int kind = i % 12;
        const int catg = i / 10 + 1;  // runs of ten items per category
        const float count = (i % 7 == 3) ? 0.5f : static_cast<float>(1 + i % 4);
        const float price = (i % 9 == 5) ? 0 : 0.25f * static_cast<float>(3 + i % 17);
        const PackedDate last = (i % 5 == 4) ? 0 : Date(1 + i % 28, 1 + i % 12, 2026);
        AddRecord(catg, std::string(names[kind]) + " " + std::to_string(i + 1), units[kind], price,
                  count, true, last);
    }
}

// Draws every recorded text at its recorded position (both printers have 600 dpi).
plat::PdfPrinter Replay(const std::vector<Op>& ops) {
    plat::PdfPrinter pdf("Print job");
    for (const Op& op : ops) {
        if (op.kind == Op::SetFont) pdf.SetFont(op.text, op.points, op.style);
        if (op.kind == Op::NewPage) pdf.NewPage();
        if (op.kind == Op::Text) {
            pdf.MoveTo(op.x, op.y);
            pdf.Text(op.text);
        }
    }
    return pdf;
}

struct Gray {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
    int Ink(int x0, int y0, int x1, int y1) const {  // dark pixels in [x0,x1) x [y0,y1)
        int n = 0;
        for (int y = y0; y < y1 && y < height; ++y)
            for (int x = x0; x < x1 && x < width; ++x) n += pixels[y * width + x] < 128;
        return n;
    }
};

bool ReadPgm(const std::string& path, Gray& image) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    if (!(in >> magic >> image.width >> image.height >> maxValue) || magic != "P5") return false;
    in.get();
    image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, 255);
    in.read(reinterpret_cast<char*>(image.pixels.data()),
            static_cast<std::streamsize>(image.pixels.size()));
    return static_cast<bool>(in);
}

std::string PdfText(const std::string& path) {
    std::string text;
    if (FILE* pipe = popen(("pdftotext -layout '" + path + "' - 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

class PrintedListPdfTest : public HeadlessTest {
protected:
    void TearDown() override {
        todayOverride.clear();
        HeadlessTest::TearDown();
    }
};

TEST_F(PrintedListPdfTest, SixtyItemShoppingListRendersOnTwoPages) {
    BuildSixtyItems();
    itemTable.listPath = "weekly.ptm";
    todayOverride = "03-07-2024";
    headless::AnswerPrinterDialog(true);
    PrintList(1);
    ASSERT_EQ(CountOps(Op::NewPage), 1);

    const plat::PdfPrinter pdf = Replay(headless::PrinterOps());
    EXPECT_EQ(pdf.PageCount(), 2);
    const std::string path = "printed_list_60_items.pdf";
    ASSERT_TRUE(pdf.Save(path));

    if (std::system("pdftoppm -v > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftoppm not installed: " << path << " written, not rendered";
    constexpr int kDpi = 30;  // pixels per inch of the check rendering
    ASSERT_EQ(std::system(("pdftoppm -gray -r " + std::to_string(kDpi) + " " + path +
                           " printed_list_60_items > pdftoppm.log 2>&1").c_str()),
              0);
    auto px = [](int dots) { return (plat::PdfPrinter::kMargin + dots) * kDpi / 600; };
    for (int page = 1; page <= 2; ++page) {
        Gray image;
        ASSERT_TRUE(ReadPgm("printed_list_60_items-" + std::to_string(page) + ".pgm", image))
            << "page " << page;
        EXPECT_EQ(image.width, 255);  // 8.5 in
        EXPECT_EQ(image.height, 330);  // 11 in
        // title line (y 0..100 dots) with the page number on its right,
        // a gap, the heading band (y 200..291 dots); nothing in the margin
        EXPECT_GT(image.Ink(0, px(0), px(3000), px(125)), 20) << "page " << page;
        EXPECT_GT(image.Ink(px(3800), px(0), px(4500), px(125)), 10) << "page " << page;
        EXPECT_EQ(image.Ink(0, px(130), image.width, px(190)), 0) << "page " << page;
        EXPECT_GT(image.Ink(0, px(200), image.width, px(300)), 20) << "page " << page;
        EXPECT_EQ(image.Ink(0, 0, image.width, px(-10)), 0) << "page " << page;
        // item names, unit texts and costs below the heading
        EXPECT_GT(image.Ink(px(1200), px(380), px(2000), px(5000)), 100) << "page " << page;
        EXPECT_GT(image.Ink(px(2100), px(380), px(2900), px(5000)), 20) << "page " << page;
        EXPECT_GT(image.Ink(px(4200), px(380), px(4500), px(5000)), 20) << "page " << page;
        // nothing right of the cost column's edge at 7.5 in
        EXPECT_EQ(image.Ink(px(4510), 0, image.width, image.height), 0) << "page " << page;
    }

    const std::string text = PdfText(path);
    ASSERT_FALSE(text.empty()) << "pdftotext could not read " << path;
    const std::size_t page2 = text.find('\f');
    ASSERT_NE(page2, std::string::npos) << text;
    EXPECT_NE(text.find("weekly: shopping list, printed 03-07-2024"), std::string::npos) << text;
    EXPECT_LT(text.find("Page 1 of 2"), page2) << text;
    EXPECT_GT(text.find("Page 2 of 2"), page2) << text;
    // the count and total only at the end of the last page
    const std::size_t count = text.find("Items to buy: 60");
    EXPECT_GT(count, page2) << text;
    EXPECT_NE(count, std::string::npos) << text;
    EXPECT_NE(text.find("Total cost:", count), std::string::npos) << text;
}

}  // namespace
}  // namespace pantrium::test
