// CSV export and import of the item table: the exact text written, the
// round trip of every field, spreadsheet files, bad rows, limits, merging.
#include <bit>
#include <cmath>
#include <cstring>
#include <random>

#include "data/categories.h"
#include "data/csv_table.h"
#include "data/list_file.h"
#include "data_test_support.h"

namespace pantrium::test {
namespace {

// An ANSI code page that is Latin-1: bytes 0x80-0xFF are U+0080-U+00FF, and
// every other character becomes "?".
CsvTextCoding Latin1Coding() {
    CsvTextCoding coding;
    coding.ansiToUtf8 = [](const std::string& ansi) {
        std::string out;
        for (unsigned char c : ansi) {
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else {
                out += static_cast<char>(0xC0 | (c >> 6));
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return out;
    };
    coding.utf8ToAnsi = [](const std::string& utf8, std::string& ansi) {
        ansi.clear();
        bool fits = true;
        for (std::size_t i = 0; i < utf8.size();) {
            const unsigned char c = static_cast<unsigned char>(utf8[i]);
            const int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            unsigned cp = len == 1 ? c : c & (0x3F >> (len - 1));
            for (int k = 1; k < len && i + k < utf8.size(); ++k) cp = (cp << 6) | (utf8[i + k] & 0x3F);
            i += static_cast<std::size_t>(len);
            if (cp > 0xFF) {
                ansi += '?';
                fits = false;
            } else {
                ansi += static_cast<char>(cp);
            }
        }
        return fits;
    };
    return coding;
}

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader =
    "Category,Item,Unit,Price,Units to buy,On list,One-time buy,Auto-listed,"
    "Purchase 1 date,Purchase 1 units,Purchase 2 date,Purchase 2 units,Purchase 3 date,Purchase 3 units,"
    "Purchase 4 date,Purchase 4 units,Purchase 5 date,Purchase 5 units\r\n";

CsvFile Parse(const std::string& text, const CsvTextCoding& coding = SameBytesCoding()) {
    return ParseCsv(text, coding);
}

std::vector<std::string> Texts(const std::vector<CsvNote>& notes) {
    std::vector<std::string> texts;
    for (const CsvNote& n : notes) texts.push_back(n.text);
    return texts;
}

std::string CategoryOf(const ItemTable& t, const ItemRecord& rec) {
    if (rec.catg == 0 || rec.catg > t.catgCount) return "";
    std::string name = t.catgNames[rec.catg].substr(0, kTextField);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

// ---- Export ----

TEST(CsvExport, WritesBomHeaderQuotedFieldsAndShortestNumbers) {
    ItemRecord milk = RecordOf(1, "Milk", "gallon; big", 2.5f, 2, kToBuy | kAutoListed);
    SetHistory(milk, {{"3/15/2024", 2}, {"12/31/2099", 0.1f}});
    ItemRecord odd = RecordOf(0, "Say \"cheese\", ok", "", -3, 0, kSpecialBuy);
    StoreTextField(odd.unitDescr, " two\r\nlines");
    odd.buyUnits[2] = 1e20f;  // units without a date
    const ItemTable t = TableOf({milk, odd}, {"dairy                "});
    EXPECT_EQ(TableToCsv(t, SameBytesCoding()),
              kBom + kHeader +
                  "dairy,Milk,\"gallon; big\",2.5,2,yes,no,yes,2024-03-15,2,2099-12-31,0.1,,,,,,\r\n"
                  ",\"Say \"\"cheese\"\", ok\",\" two\r\nlines\",-3,0,no,yes,no,,,,,,1e+20,,,,\r\n");
    // Another row order, and a category past the list's end counts as none.
    ItemTable swapped = t;
    swapped.rowOrder = {0, 2, 1};
    swapped.records[1].catg = 7;
    const std::string text = TableToCsv(swapped, SameBytesCoding());
    EXPECT_NE(text.find(kHeader + ",\"Say"), std::string::npos);
    EXPECT_NE(text.find("\r\n,Milk,"), std::string::npos);
}

TEST(CsvExport, ConvertsAnsiNamesToUtf8AndCutsLongCategoryNames) {
    const ItemTable t = TableOf({RecordOf(1, "Cr\xE8me br\xFBl\xE9" "e", "pot", 1)},
                                {"Desserts and sweets and more"});
    EXPECT_EQ(TableToCsv(t, Latin1Coding()),
              kBom + kHeader + "Desserts and sweets,Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e,pot,1,0,no,no,no,,,,,,,,,,\r\n");
    EXPECT_EQ(TableToCsv(ItemTable{}, SameBytesCoding()), kBom + kHeader);
}

// ---- Round trip ----

// A random text of up to 20 bytes with the characters CSV must take care of.
std::string RandomText(std::mt19937& rng, bool allowEmpty) {
    static const std::string pieces[] = {"a", "Z", " ", "\"", ",", ";", "\r\n", "\n", "\r", "\t", "x",
                                         "\xE9", "\xFC", "'", "=", "-", "1", ".", "e"};
    std::string text;
    const std::size_t len = (allowEmpty ? 0 : 1) + rng() % 20;
    while (text.size() < len) {
        const std::string& p = pieces[rng() % std::size(pieces)];
        if (text.size() + p.size() <= static_cast<std::size_t>(kTextField)) text += p;
        else text += "b";
    }
    // Trailing blanks are the field's padding: a name cannot end in one.
    while (!text.empty() && text.back() == ' ') text.back() = 'q';
    return text;
}

float RandomAmount(std::mt19937& rng) {
    switch (rng() % 6) {
    case 0: return static_cast<float>(rng() % 10000) / 100;
    case 1: return -static_cast<float>(rng() % 1000) / 10;
    case 2: return 0;
    case 3: return std::numeric_limits<float>::infinity();
    default: {
        float f;
        do f = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
        while (std::isnan(f));
        return f;
    }
    }
}

ItemTable RandomTable(int n, unsigned seed) {
    std::mt19937 rng(seed);
    ItemTable t;
    t.catgCount = 12;
    for (int k = 1; k <= t.catgCount; ++k) t.catgNames.push_back(RandomText(rng, false) + std::to_string(k));
    for (int k = 1; k <= n; ++k) {
        ItemRecord rec;
        rec.catg = static_cast<std::uint8_t>(rng() % (t.catgCount + 1));
        StoreTextField(rec.itemName, RandomText(rng, false));
        StoreTextField(rec.unitDescr, RandomText(rng, true));
        rec.pricePerUnit = RandomAmount(rng);
        rec.unitsToBuy = RandomAmount(rng);
        rec.flags = static_cast<std::uint8_t>(rng() % 8);
        for (int s = 0; s < kHistorySlots; ++s) {
            if (rng() % 3 == 0) continue;
            const int month = 1 + static_cast<int>(rng() % 12), year = 2000 + static_cast<int>(rng() % 100);
            const int day = 1 + static_cast<int>(rng() % DaysInMonth(month, year));
            rec.buyDate[s] = static_cast<PackedDate>(day | (month << 5) | ((year - 2000) << 9));
            rec.buyUnits[s] = RandomAmount(rng);
        }
        t.records.push_back(rec);
        t.rowOrder.push_back(k);
    }
    t.itemCount = n;
    std::shuffle(t.rowOrder.begin() + 1, t.rowOrder.end(), rng);
    return t;
}

TEST(CsvRoundTrip, ThousandRandomItemsComeBackWithEveryField) {
    const CsvTextCoding coding = Latin1Coding();
    const ItemTable original = RandomTable(1000, 20241207);
    const std::string csv = TableToCsv(original, coding);
    const CsvFile file = ParseCsv(csv, coding);
    EXPECT_EQ(file.problem, "");
    EXPECT_EQ(Texts(file.skipped), std::vector<std::string>{});
    EXPECT_TRUE(file.replaced.empty());
    ASSERT_EQ(file.items.size(), 1000u);

    ItemTable imported;
    const CsvImportCounts counts = ApplyCsvImport(imported, file);
    EXPECT_EQ(counts.added, 1000);
    EXPECT_EQ(counts.changed + counts.unchanged, 0);
    ASSERT_EQ(imported.itemCount, 1000);
    EXPECT_TRUE(imported.modified);
    for (int r = 1; r <= 1000; ++r) {
        const ItemRecord& want = original.records[original.rowOrder[r]];
        const ItemRecord& got = imported.records[imported.rowOrder[r]];
        SCOPED_TRACE("row " + std::to_string(r));
        EXPECT_EQ(CategoryOf(imported, got), CategoryOf(original, want));
        // Every byte but the category number, which follows the new category list.
        EXPECT_EQ(0, std::memcmp(reinterpret_cast<const char*>(&got) + 1, reinterpret_cast<const char*>(&want) + 1,
                                 kRecordSize - 1));
    }
    // Exported again, the file is the same.
    EXPECT_EQ(TableToCsv(imported, coding), csv);
    // Imported once more into the imported table: every row is its own item, unchanged.
    const CsvImportCounts again = ApplyCsvImport(imported, ParseCsv(csv, coding));
    EXPECT_EQ(again.unchanged, 1000);
    EXPECT_EQ(again.added + again.changed, 0);
    EXPECT_EQ(imported.itemCount, 1000);
}

// ---- Spreadsheet files ----

TEST(CsvImport, SemicolonFileOfASpreadsheetInAnsiMergesIntoTheTable) {
    ItemTable t = TableOf({RecordOf(1, "Milk", "gallon", 2.5f), RecordOf(2, "Bread", "loaf", 1.25f, 1, kToBuy)},
                          {"dairy", "bakery"});
    // As European Excel saves it: ";" between fields, ANSI, another letter case and order of the
    // columns, a blank line and a row of empty cells at the end.
    const std::string csv =
        "ITEM;category;Price;Units To Buy;On List;Purchase 1 Date;Purchase 1 Units;Notes\r\n"
        "Milk;Dairy;2.75;0;no;07.03.2024;2;fresh\r\n"
        "\r\n"
        "\"Cr\xE8me; fra\xEE" "che\";Dairy;3,5;1;yes;3/9/2024;1,5;\r\n"
        "Oats;cereals;.99;;;2024-01-31;1;\r\n"
        ";;;;;;;\r\n";
    const CsvFile file = Parse(csv, Latin1Coding());
    EXPECT_EQ(file.problem, "");
    EXPECT_EQ(Texts(file.skipped), std::vector<std::string>{});
    ASSERT_EQ(file.items.size(), 3u);
    EXPECT_EQ(file.items[1].line, 4);

    const CsvImportCounts counts = ApplyCsvImport(t, file);
    EXPECT_EQ(counts.added, 2);
    EXPECT_EQ(counts.changed, 1);
    EXPECT_EQ(counts.newCategories, 1);
    ASSERT_EQ(t.catgCount, 3);
    EXPECT_EQ(t.catgNames[3], "cereals");
    ASSERT_EQ(t.itemCount, 4);

    const ItemRecord& milk = t.records[1];
    EXPECT_EQ(milk.pricePerUnit, 2.75f);
    EXPECT_EQ(TrimmedField(milk.unitDescr), "gallon");  // no Unit column: kept
    EXPECT_EQ(milk.buyDate[0], Date("3/7/2024"));
    EXPECT_EQ(milk.buyUnits[0], 2);
    const ItemRecord& creme = t.records[3];
    EXPECT_EQ(TrimmedField(creme.itemName), "Cr\xE8me; fra\xEE" "che");
    EXPECT_EQ(creme.catg, 1);  // "Dairy" is the list's "dairy"
    EXPECT_EQ(creme.pricePerUnit, 3.5f);
    EXPECT_TRUE(creme.toBuy());
    EXPECT_EQ(creme.buyDate[0], Date("3/9/2024"));
    EXPECT_EQ(creme.buyUnits[0], 1.5f);
    const ItemRecord& oats = t.records[4];
    EXPECT_EQ(oats.catg, 3);
    EXPECT_EQ(oats.pricePerUnit, 0.99f);
    EXPECT_EQ(oats.buyDate[0], Date("1/31/2024"));
    // A new item takes what the file lacks as blank or 0, as the editor stores it.
    EXPECT_EQ(FieldText(oats.unitDescr), std::string(kTextField, ' '));
    EXPECT_EQ(oats.unitsToBuy, 0);
    EXPECT_EQ(oats.flags, 0);
    // The new items take their rows by sort key among the others: Creme before Milk, Oats last.
    EXPECT_EQ(t.rowOrder, (std::vector<std::int32_t>{0, 3, 1, 2, 4}));
}

TEST(CsvImport, ExcelsSeparatorLineNamesTheSeparatorAndCountsAsALine) {
    const CsvFile file = Parse("sep=;\r\nItem;Price;Purchase 1 date\r\nTea, green;2,5;31.12.24\r\nJam;x;\r\n");
    EXPECT_EQ(file.problem, "");
    ASSERT_EQ(file.items.size(), 1u);
    EXPECT_EQ(TrimmedField(file.items[0].rec.itemName), "Tea, green");
    EXPECT_EQ(file.items[0].rec.pricePerUnit, 2.5f);
    EXPECT_EQ(file.items[0].rec.buyDate[0], Date("12/31/2024"));
    EXPECT_EQ(Texts(file.skipped), std::vector<std::string>{"line 4: price \"x\" is not a number"});
}

TEST(CsvImport, Utf8FileWithLettersTheCodePageLacksSaysWhichRows) {
    const std::string csv = kBom + "Item,Unit\n" + "Cr\xC3\xA8me,pot\n" + "\xCE\xA9mega 3,caps\n" +
                            "Tea,\xE2\x82\xAC" "5 box\n";
    const CsvFile file = Parse(csv, Latin1Coding());
    ASSERT_EQ(file.items.size(), 3u);
    EXPECT_EQ(TrimmedField(file.items[0].rec.itemName), "Cr\xE8me");
    EXPECT_EQ(TrimmedField(file.items[1].rec.itemName), "?mega 3");
    EXPECT_EQ(TrimmedField(file.items[2].rec.unitDescr), "?5 box");
    EXPECT_EQ(Texts(file.replaced), (std::vector<std::string>{"line 3: item \"\xCE\xA9mega 3\"",
                                                              "line 4: unit \"\xE2\x82\xAC" "5 box\""}));
}

TEST(CsvImport, Utf8FileWithoutTheMarkIsReadAsUtf8AndAnAnsiOneAsAnsi) {
    // As LibreOffice saves it: UTF-8 without a byte-order mark.
    CsvFile file = Parse("Item,Unit\r\nCr\xC3\xA8me fra\xC3\xAE" "che,pot\r\n\xCE\xA9mega 3,caps\r\n", Latin1Coding());
    ASSERT_EQ(file.items.size(), 2u);
    EXPECT_EQ(TrimmedField(file.items[0].rec.itemName), "Cr\xE8me fra\xEE" "che");
    EXPECT_EQ(TrimmedField(file.items[1].rec.itemName), "?mega 3");
    EXPECT_EQ(Texts(file.replaced), std::vector<std::string>{"line 3: item \"\xCE\xA9mega 3\""});
    // One byte that cannot be UTF-8 makes all of it ANSI, the UTF-8-looking pair too.
    file = Parse("Item,Unit\r\nCr\xC3\xA8me,pot\r\nCr\xE8me,pot\r\n", Latin1Coding());
    ASSERT_EQ(file.items.size(), 2u);
    EXPECT_EQ(TrimmedField(file.items[0].rec.itemName), "Cr\xC3\xA8me");
    EXPECT_EQ(TrimmedField(file.items[1].rec.itemName), "Cr\xE8me");
    EXPECT_TRUE(file.replaced.empty());
}

// ---- Bad rows ----

// The list shows and exports a name up to a NUL byte: the import stores it so,
// and the export of what it stored reads back the same.
TEST(CsvImport, ANulByteEndsANameAsItEndsItEverywhereElse) {
    const std::string csv("Item,Unit\r\nTea\0 green,box\0x\r\n\0Jam,jar\r\n", 39);
    const CsvFile file = Parse(csv);
    ASSERT_EQ(file.items.size(), 1u);
    EXPECT_EQ(FieldText(file.items[0].rec.itemName), "Tea" + std::string(kTextField - 3, ' '));
    EXPECT_EQ(TrimmedField(file.items[0].rec.unitDescr), "box");
    EXPECT_EQ(Texts(file.skipped), std::vector<std::string>{"line 3: the item has no name"});
    ItemTable t;
    ApplyCsvImport(t, file);
    const CsvFile again = Parse(TableToCsv(t, SameBytesCoding()));
    ASSERT_EQ(again.items.size(), 1u);
    EXPECT_EQ(FieldText(again.items[0].rec.itemName), FieldText(file.items[0].rec.itemName));
}

TEST(CsvImport, BadRowsAreReportedByTheirLineAndTheRestIsRead) {
    const std::string csv = kBom + kHeader +
                            "dairy,Milk,gallon,2.5,0,no,no,no,,,,,,,,,,\r\n"                         // 2
                            ",\"Two\r\nlines\",each,1,0,no,no,no,,,,,,,,,,\r\n"                      // 3-4
                            ",Eggs,dozen,abc,0,no,no,no,,,,,,,,,,\r\n"                               // 5
                            ",,each,1,0,no,no,no,,,,,,,,,,\r\n"                                      // 6
                            ",A name much longer than twenty,each,1,0,no,no,no,,,,,,,,,,\r\n"       // 7
                            ",Tea,box,1,0,maybe,no,no,,,,,,,,,,\r\n"                                 // 8
                            ",Jam,jar,1,0,no,no,no,,,2024-02-30,1,,,,,,\r\n"                         // 9
                            ",Rice,bag,1e50,0,no,no,no,,,,,,,,,,\r\n"                                // 10
                            ",Oil,bottle,1,0,no,no,no,,,,,,,,,1/2/3/4,\r\n"                           // 11
                            ",Salt,box,1,0,no,no,no,,,,,,,2024-01-01,1 000,,\r\n"                    // 12
                            ",\"Open,box,1\r\n";                                                      // 13
    const CsvFile file = Parse(csv);
    EXPECT_EQ(Texts(file.skipped),
              (std::vector<std::string>{
                  "line 5: price \"abc\" is not a number",
                  "line 6: the item has no name",
                  "line 7: item \"A name much longer than twenty\" is longer than 20 characters",
                  "line 8: on list \"maybe\" is not yes or no",
                  "line 9: purchase 2 date \"2024-02-30\" is not a date from 2000 to 2099",
                  "line 10: price \"1e50\" is out of range",
                  "line 11: purchase 5 date \"1/2/3/4\" is not a date from 2000 to 2099",
                  "line 12: purchase 4 units \"1 000\" is not a number",
                  "line 13: a quoted field has no closing quote",
              }));
    ASSERT_EQ(file.items.size(), 2u);
    EXPECT_EQ(file.items[1].line, 3);
    EXPECT_EQ(FieldText(file.items[1].rec.itemName).substr(0, 10), "Two\r\nlines");
}

TEST(CsvImport, DoubledQuotesKeepTheirTextInRowsLongerThanAnyBefore) {
    std::string csv = "Item\r\n\"a\"\"b\"";
    for (int i = 0; i < 40; ++i) csv += ",\"more \"\"text\"\" than fits\"";
    csv += "\r\n\"c\"\"d\"tail,x\r\n";
    const CsvFile file = Parse(csv);
    ASSERT_EQ(file.items.size(), 2u);
    EXPECT_EQ(TrimmedField(file.items[0].rec.itemName), "a\"b");
    EXPECT_EQ(TrimmedField(file.items[1].rec.itemName), "c\"dtail");
}

TEST(CsvImport, FilesThatCannotBeReadAtAllSayWhy) {
    EXPECT_EQ(Parse("").problem, "it holds no lines");
    EXPECT_EQ(Parse("\r\n\r\n").problem, "it holds no lines");
    EXPECT_EQ(Parse("Name of thing,Cost\r\nMilk,2\r\n").problem, "its first line names no \"Item\" column");
    EXPECT_EQ(Parse(std::string("\xFF\xFEI\0t\0", 6)).problem, "it is UTF-16 text; save it as CSV (UTF-8 or ANSI)");
    // Any bytes at all: never a crash, and only whole rows taken.
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) {
        std::string bytes = "Item,Price\r\n";
        const std::size_t len = rng() % 200;
        for (std::size_t k = 0; k < len; ++k) bytes += "ab,;\"\r\n1.e-"[rng() % 12];
        const CsvFile file = Parse(bytes);
        for (const CsvItem& item : file.items) EXPECT_GE(item.line, 2);
    }
}

// ---- Limits and merging ----

TEST(CsvImport, RowsPastTheListsLimitsAreSkippedWithTheReason) {
    std::vector<std::string> categories;
    for (int k = 1; k < kMaxCategories; ++k) categories.push_back("c" + std::to_string(k));
    ItemTable t = TableOf({RecordOf(1, "Milk", "gallon", 1)}, categories);
    const std::string csv = "Category,Item\r\nnew one,Bread\r\nnew two,Tea\r\nC1,Milk\r\nnew one,Jam\r\n"
                            "Frozen foods and more,Peas\r\n";
    const CsvFile file = Parse(csv);
    EXPECT_EQ(Texts(file.skipped),
              std::vector<std::string>{"line 6: category \"Frozen foods and more\" is longer than 20 characters"});
    const CsvImportCounts counts = PlanCsvImport(t, file);
    EXPECT_EQ(counts.added, 2);
    EXPECT_EQ(counts.unchanged, 1);
    EXPECT_EQ(counts.newCategories, 1);
    EXPECT_EQ(Texts(counts.skipped),
              (std::vector<std::string>{"line 3: category \"new two\" would be one more than the 255 categories "
                                        "a list can hold",
                                        "line 6: category \"Frozen foods and more\" is longer than 20 characters"}));
    CsvLimits few;
    few.maxItems = 2;
    const CsvImportCounts capped = ApplyCsvImport(t, file, few);
    EXPECT_EQ(capped.added, 1);
    EXPECT_EQ(Texts(capped.skipped)[1], "line 5: the list holds the most items it can (2)");
    EXPECT_EQ(t.itemCount, 2);
    EXPECT_EQ(t.catgCount, kMaxCategories);
}

TEST(CsvImport, PlanningAndNothingToChangeLeaveTheTableAlone) {
    ItemTable t = TableOf({RecordOf(1, "Milk", "gallon", 2.5f), RecordOf(0, "Tea", "box", 3)}, {"dairy"});
    t.snapshot.taken = true;
    const std::vector<std::uint8_t> before = ListFileBytes(t);
    const CsvFile file = Parse("Category,Item,Price\r\ndairy,Milk,4\r\n,Coffee,5\r\n");
    const CsvImportCounts plan = PlanCsvImport(t, file);
    EXPECT_EQ(plan.added, 1);
    EXPECT_EQ(plan.changed, 1);
    EXPECT_EQ(ListFileBytes(t), before);
    EXPECT_FALSE(t.modified);

    const CsvImportCounts same = ApplyCsvImport(t, Parse("Category,Item,Price\r\ndairy,Milk,2.5\r\n,Tea,3\r\n"));
    EXPECT_EQ(same.unchanged, 2);
    EXPECT_EQ(ListFileBytes(t), before);
    EXPECT_FALSE(t.modified);
    EXPECT_FALSE(t.snapshot.mergedSince);
    EXPECT_FALSE(t.pendingRefresh.has_value());

    ApplyCsvImport(t, file);
    EXPECT_TRUE(t.modified);
    EXPECT_TRUE(t.snapshot.mergedSince);  // undoing the checkout would drop the import
    EXPECT_EQ(t.pendingRefresh, 0);
    EXPECT_EQ(t.records[1].pricePerUnit, 4);
}

TEST(CsvImport, EachRowTakesItsOwnItemOfOneCategoryAndName) {
    ItemRecord kept = RecordOf(0, "Tea", "box", 1);
    kept.flags = 0x40;  // marks the CSV has no column for stay
    ItemTable t = TableOf({kept, RecordOf(0, "Tea", "bag", 2), RecordOf(1, "Jam", "jar", 3)}, {"Sweets", "sweets"});
    const CsvFile file = Parse("Item,Unit,Category,On list\nTea,tin,,yes\nTea,bag,,no\nTea,cup,,no\n"
                               "Jam,jar,SWEETS,no\nJam,pot,sweets,no\n");
    const CsvImportCounts counts = ApplyCsvImport(t, file);
    EXPECT_EQ(counts.changed, 1);
    EXPECT_EQ(counts.unchanged, 2);
    EXPECT_EQ(counts.added, 2);
    EXPECT_EQ(TrimmedField(t.records[1].unitDescr), "tin");
    EXPECT_EQ(t.records[1].flags, 0x41);
    EXPECT_EQ(TrimmedField(t.records[4].unitDescr), "cup");
    // "SWEETS" is "Sweets" with letter case aside; "sweets" is the second category itself.
    EXPECT_EQ(t.records[3].catg, 1);
    EXPECT_EQ(t.records[5].catg, 2);
    EXPECT_EQ(t.catgCount, 2);
}

}  // namespace
}  // namespace pantrium::test
