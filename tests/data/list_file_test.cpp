#include <cstring>
#include <random>

#include "data/categories.h"
#include "data/list_file.h"
#include "data_test_support.h"

namespace pantrium::test {
namespace {

class ListFileTest : public DataTest {
protected:
    void SetUp() override {
        DataTest::SetUp();
        itemTable.listPath = "list.ptm";
    }
    TempDir dir;
};

void Append(Bytes& b, std::initializer_list<int> values) {
    for (int v : values) b.push_back(static_cast<std::uint8_t>(v));
}
void AppendText(Bytes& b, const std::string& text) {
    for (std::size_t i = 0; i < 20; ++i) b.push_back(i < text.size() ? text[i] : ' ');
}

// One item Milk, one category dairy, byte by byte.
Bytes MilkFile() {
    Bytes b(kListHeader, kListHeader + 13);
    Append(b, {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0x01});
    AppendText(b, "Milk");
    AppendText(b, "1 gallon");
    Append(b, {0x00, 0x00, 0x20, 0x40, 0, 0, 0, 0, 0x6F, 0x30, 0, 0, 0, 0, 0, 0, 0, 0,
               0x00, 0x00, 0x00, 0x40});
    b.insert(b.end(), 17, 0);
    AppendText(b, "dairy");
    return b;
}

// What every load must leave, whatever the file held.
void ExpectSoundTable() {
    const int n = itemTable.itemCount;
    ASSERT_EQ(itemTable.records.size(), static_cast<std::size_t>(n) + 1);
    ASSERT_EQ(itemTable.rowOrder.size(), static_cast<std::size_t>(n) + 1);
    ASSERT_EQ(itemTable.catgNames.size(), static_cast<std::size_t>(itemTable.catgCount) + 1);
    std::vector<bool> seen(static_cast<std::size_t>(n) + 1);
    for (int r = 1; r <= n; ++r) {
        int k = itemTable.rowOrder[r];
        ASSERT_TRUE(k >= 1 && k <= n && !seen[k]) << "row " << r << " shows " << k;
        seen[k] = true;
        ASSERT_LE(itemTable.records[k].catg, itemTable.catgCount);
    }
}

TEST_F(ListFileTest, WorkedExampleIsWrittenByteForByteAndReadBack) {
    AppendCategory("dairy");
    AddItem("Milk", "1 gallon", "2.50", 1, false, false, 0);
    itemTable.records[1].buyDate[0] = Date("3-15-2024");
    itemTable.records[1].buyUnits[0] = 2;
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    EXPECT_FALSE(itemTable.modified);
    const Bytes expected = MilkFile();
    ASSERT_EQ(expected.size(), 125u);
    EXPECT_EQ(ReadBytes("list.ptm"), expected);
    const std::string ini = "list.ptm\r\n";
    EXPECT_EQ(ReadBytes("grocery.ini"), Bytes(ini.begin(), ini.end()));

    ClearTable();
    itemTable.modified = true;
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_FALSE(itemTable.modified);
    ASSERT_EQ(itemTable.itemCount, 1);
    EXPECT_EQ(itemTable.catgNames[1], "dairy" + std::string(15, ' '));
    EXPECT_FLOAT_EQ(itemTable.records[1].pricePerUnit, 2.5f);
    EXPECT_EQ(ListFileBytes(), expected);
}

TEST_F(ListFileTest, ContentLengthsAndRoundTrip) {
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    EXPECT_EQ(ReadBytes("list.ptm"), Bytes(kListHeader, kListHeader + 13) + Bytes(8, 0));
    AppendCategory("A category name of 25 ch");
    AppendCategory("fruit");
    for (const char* n : {"b", "a", "c"}) AddItem(n, "", "1", 2, false, false, 0);
    itemTable.rowOrder = {0, 3, 1, 2};  // not the sorted order
    itemTable.records[2].flags = 0xFF;   // unknown bits are written as read
    StoreTextField(itemTable.records[1].itemName, "pad   ");
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    EXPECT_EQ(ReadBytes("list.ptm").size(), 313u);
    ClearTable();
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.rowOrder, (std::vector<std::int32_t>{0, 3, 1, 2}));
    EXPECT_EQ(itemTable.records[2].flags, 0xFF);
    EXPECT_EQ(FieldText(itemTable.records[1].itemName), "pad" + std::string(17, ' '));
    EXPECT_EQ(itemTable.catgNames[1], "a category name of 2");
    DeleteRow(2, false);
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    EXPECT_EQ(ReadBytes("list.ptm").size(), 229u);  // a shorter save leaves no stale tail
}

TEST_F(ListFileTest, ShortAndPaddedFiles) {
    const Bytes milk = MilkFile();
    WriteBytes("list.ptm", milk + Bytes{1, 2, 3, 4, 5});
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(ListFileBytes(), milk);

    // Cut inside the category name: the missing bytes read as NUL.
    WriteBytes("list.ptm", Bytes(milk.begin(), milk.end() - 10));
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.catgNames[1], "dairy" + std::string(5, ' ') + std::string(10, '\0'));
    EXPECT_EQ(itemTable.records[1].catg, 1);

    // Cut inside the record: its rest is zero.
    WriteBytes("list.ptm", Bytes(milk.begin(), milk.begin() + 30));
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(std::string(itemTable.records[1].itemName, 5), std::string("Milk\0", 5));
    ExpectSoundTable();

    for (std::size_t len : {0, 5, 13, 17, 21, 25}) {
        WriteBytes("list.ptm", Bytes(milk.begin(), milk.begin() + len));
        AddItem("old", "", "", 0, false, false, 0);
        ASSERT_EQ(LoadList(), LoadResult::Loaded) << len;
        ExpectSoundTable();
        // an item needs at least its row-order entry in the file
        EXPECT_EQ(itemTable.itemCount, len < 25 ? 0 : 1) << len;
    }
}

// A file cut inside its records keeps its counts: the header says 4 items and
// 10 categories, two records are whole (categories 10 and 1), the third ends
// after 3 bytes, no category name is left.
TEST_F(ListFileTest, FileCutInsideItsRecordsKeepsItsCategories) {
    Bytes b(kListHeader, kListHeader + 13);
    Append(b, {4, 0, 0, 0, 10, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0});
    for (int catg : {10, 1}) {
        Bytes rec(kRecordSize, 0);
        rec[0] = static_cast<std::uint8_t>(catg);
        std::memcpy(rec.data() + 1, catg == 10 ? "Tea" : "Milk", catg == 10 ? 3 : 4);
        b = b + rec;
    }
    Append(b, {7, 'R', 'i'});
    WriteBytes("list.ptm", b);
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    ExpectSoundTable();
    ASSERT_EQ(itemTable.itemCount, 4);
    ASSERT_EQ(itemTable.catgCount, 10);
    for (int j = 1; j <= 10; ++j) EXPECT_EQ(itemTable.catgNames[j], std::string(20, '\0')) << j;
    EXPECT_EQ(itemTable.records[1].catg, 10);
    EXPECT_EQ(itemTable.records[2].catg, 1);
    EXPECT_EQ(itemTable.records[3].catg, 7);
    EXPECT_EQ(std::string(itemTable.records[3].itemName, 3), std::string("Ri\0", 3));
    EXPECT_EQ(itemTable.records[4].catg, 0);

    // A save writes the counts and categories back; nothing is lost.
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    const Bytes saved = ReadBytes("list.ptm");
    ASSERT_EQ(saved.size(), 21u + 4 * 84 + 10 * 20);
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 37), Bytes(b.begin(), b.begin() + 37));
    EXPECT_EQ(saved[37], 10);
    EXPECT_EQ(saved[37 + 80], 1);
    EXPECT_EQ(saved[37 + 160], 7);
}

TEST_F(ListFileTest, MissingAndUnreadableFiles) {
    AddItem("keep", "", "", 0, false, false, 0);
    fs::create_directory("folder.ptm");
    for (const char* path : {"folder.ptm", "no such folder/list.ptm"}) {
        itemTable.listPath = path;
        EXPECT_EQ(LoadList(), LoadResult::CannotOpen) << path;
    }
    EXPECT_EQ(RowNames(), std::vector<std::string>{"keep"});
    EXPECT_TRUE(itemTable.modified);

    itemTable.snapshot.taken = true;
    itemTable.listPath = "new.ptm";
    ASSERT_EQ(LoadList(), LoadResult::Loaded);  // created empty
    EXPECT_EQ(itemTable.itemCount, 0);
    EXPECT_EQ(fs::file_size("new.ptm"), 0u);
    EXPECT_TRUE(itemTable.snapshot.taken);  // loading keeps the snapshot
}

TEST_F(ListFileTest, DamagedCountsAndIndices) {
    auto with = [](std::size_t offset, std::int32_t v) {
        Bytes b = MilkFile();
        std::memcpy(b.data() + offset, &v, 4);  // the tests run on little-endian hosts
        EXPECT_EQ(LoadFromBytes(b), LoadResult::Loaded);
        ExpectSoundTable();
    };
    with(13, -5);
    EXPECT_EQ(itemTable.itemCount, 0);
    with(17, -1);
    EXPECT_EQ(itemTable.catgCount, 0);
    EXPECT_EQ(itemTable.records[1].catg, 0);  // a category the list lacks means none
    with(13, 0x7FFFFFFF);
    EXPECT_EQ(itemTable.itemCount, 26);  // the row-order entries the file can hold
    with(17, 0x7FFFFFFF);
    EXPECT_EQ(itemTable.catgCount, 255);  // all a catg byte can refer to
    EXPECT_EQ(itemTable.catgNames[2], std::string(20, '\0'));
    with(21, 7);  // row order not a permutation
    EXPECT_EQ(itemTable.rowOrder, (std::vector<std::int32_t>{0, 1}));
    with(25, 9);  // catg above m
    EXPECT_EQ(itemTable.records[1].catg, 0);

    // The first valid occurrence of each index keeps its place, the missing follow.
    Bytes b(kListHeader, kListHeader + 13);
    Append(b, {4, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0});
    ASSERT_EQ(LoadFromBytes(b), LoadResult::Loaded);
    EXPECT_EQ(itemTable.rowOrder, (std::vector<std::int32_t>{0, 3, 1, 2, 4}));
}

// Loads in turn into a table whose storage is larger (refilled in place) and
// smaller (new storage) than the list: nothing of the earlier list is left.
TEST_F(ListFileTest, LoadsIntoLargerAndSmallerTablesAlike) {
    for (int i = 0; i < 50; ++i) AddItem("Item " + std::to_string(i), "box", "2", 0, false, true, 3);
    const Bytes fifty = ListFileBytes();
    const Bytes milk = MilkFile();
    ASSERT_EQ(LoadFromBytes(milk), LoadResult::Loaded);
    ExpectSoundTable();
    ASSERT_EQ(itemTable.itemCount, 1);
    EXPECT_EQ(ListFileBytes(), milk);
    ASSERT_EQ(LoadFromBytes(fifty), LoadResult::Loaded);
    ExpectSoundTable();
    EXPECT_EQ(ListFileBytes(), fifty);
    // A cut-off list in a large table: the records past the file's end are all zero.
    ASSERT_EQ(LoadFromBytes(Bytes(fifty.begin(), fifty.begin() + 21 + 4 * 50 + 80 * 2 + 7)), LoadResult::Loaded);
    ExpectSoundTable();
    ASSERT_EQ(itemTable.itemCount, 50);
    EXPECT_EQ(Name(itemTable.records[2]), "Item 1");
    EXPECT_EQ(std::string(itemTable.records[3].itemName, 7), std::string("Item 2\0", 7));  // cut off
    for (int k = 4; k <= 50; ++k) {
        EXPECT_EQ(itemTable.records[k].itemName[0], '\0') << k;
        EXPECT_EQ(itemTable.records[k].unitsToBuy, 0) << k;
    }
}

TEST_F(ListFileTest, RandomBytesLoadSoundlyAndStably) {
    std::mt19937 rng(12345);
    const Bytes milk = MilkFile();
    for (int i = 0; i < 3000; ++i) {
        Bytes b = milk;
        b.resize(rng() % 200);
        for (int j = rng() % 8; j > 0 && !b.empty(); --j) b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
        ASSERT_EQ(LoadFromBytes(b), LoadResult::Loaded);
        ExpectSoundTable();
        const Bytes saved = ListFileBytes();
        ASSERT_EQ(LoadFromBytes(saved), LoadResult::Loaded);
        ASSERT_EQ(ListFileBytes(), saved);
    }
}

TEST_F(ListFileTest, FailedSaveKeepsTheOldFile) {
    WriteBytes("list.ptm", MilkFile());
    AddItem("Eggs", "", "", 0, false, false, 0);
    itemTable.listPath = "busy";  // a folder cannot be replaced
    fs::create_directories("busy/x");
    EXPECT_EQ(SaveList(), SaveResult::CannotWrite);
    EXPECT_TRUE(itemTable.modified);
    EXPECT_FALSE(fs::exists("grocery.ini"));
    itemTable.listPath = "missing folder/list.ptm";
    EXPECT_EQ(SaveList(), SaveResult::CannotWrite);
    itemTable.listPath = "";
    EXPECT_EQ(SaveList(), SaveResult::NeedsPath);
    EXPECT_TRUE(itemTable.modified);

    // The last-list file failing does not fail the save.
    fs::create_directories("grocery.ini/x");
    itemTable.listPath = "list.ptm";
    EXPECT_EQ(SaveList(), SaveResult::Saved);
    EXPECT_FALSE(itemTable.modified);
    EXPECT_EQ(ReadBytes("list.ptm").size(), 21u + 84u);
}

TEST(CaptionForPath, TheFileNameBeforeItsFirstFullStop) {
    EXPECT_EQ(CaptionForPath("my Pantrium.ptm"), "my Pantrium");
    EXPECT_EQ(CaptionForPath("C:\\Lists.old\\home.ptm"), "home");
    EXPECT_EQ(CaptionForPath("/home/ann/lists.d/week.2.ptm"), "week");
    EXPECT_EQ(CaptionForPath("home"), "home");
}

// A link to a list not made yet: opening and saving both go to the link's
// target, as for a missing list, and the link stays.
TEST_F(ListFileTest, ALinkToAMissingListOpensEmptyAndSavesToItsTarget) {
    fs::create_directory("real");
    fs::create_symlink("real/week.ptm", "link.ptm");
    itemTable.listPath = "link.ptm";
    AddItem("Stale", "", "1", 0, false, false, 0);
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.itemCount, 0);
    EXPECT_TRUE(fs::is_symlink("link.ptm"));
    EXPECT_TRUE(fs::exists("real/week.ptm"));

    AddItem("Milk", "gallon", "2.5", 0, false, false, 0);
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    EXPECT_TRUE(fs::is_symlink("link.ptm"));
    EXPECT_EQ(ReadBytes("real/week.ptm"), ListFileBytes());
}

}  // namespace
}  // namespace pantrium::test
