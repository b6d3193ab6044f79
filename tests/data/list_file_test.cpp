#include <cstring>
#include <random>

#include "data/categories.h"
#include "data/list_file.h"
#include "data_test_support.h"

namespace pantrium::test {
namespace {

class ListFileTest : public DataTest {
protected:
    TempDir dir;
};

void Append(Bytes& b, std::initializer_list<int> values) {
    for (int v : values) b.push_back(static_cast<std::uint8_t>(v));
}
void AppendText(Bytes& b, const std::string& text, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) b.push_back(i < text.size() ? text[i] : ' ');
}

// One item Milk, one category dairy, as the format describes it byte by byte.
Bytes MilkFile() {
    Bytes b;
    Append(b, {0x50, 0x61, 0x6E, 0x74, 0x72, 0x69, 0x75, 0x6D, 0x20, 0x31, 0x2E, 0x35, 0x30});
    Append(b, {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0});
    Append(b, {0x01});
    AppendText(b, "Milk", 20);
    AppendText(b, "1 gallon", 20);
    Append(b, {0x00, 0x00, 0x20, 0x40, 0, 0, 0, 0});
    Append(b, {0x6F, 0x30, 0, 0, 0, 0, 0, 0, 0, 0});
    Append(b, {0x00, 0x00, 0x00, 0x40});
    b.insert(b.end(), 16, 0);
    Append(b, {0x00});
    AppendText(b, "dairy", 20);
    return b;
}

void MakeMilkTable() {
    AppendCategory("dairy");
    AddItem("Milk", "1 gallon", "2.50", 1, false, false, 0);
    itemTable.records[1].buyDate[0] = Date("3-15-2024");
    itemTable.records[1].buyUnits[0] = 2;
}

// Table invariants that every load must leave, whatever the file held.
void ExpectSoundTable() {
    const int n = itemTable.itemCount;
    ASSERT_GE(n, 0);
    ASSERT_EQ(itemTable.records.size(), static_cast<std::size_t>(n) + 1);
    ASSERT_EQ(itemTable.rowOrder.size(), static_cast<std::size_t>(n) + 1);
    std::vector<bool> seen(static_cast<std::size_t>(n) + 1);
    for (int r = 1; r <= n; ++r) {
        int k = itemTable.rowOrder[r];
        ASSERT_TRUE(k >= 1 && k <= n && !seen[k]) << "row " << r << " shows " << k;
        seen[k] = true;
        ASSERT_LE(itemTable.records[k].catg, itemTable.catgCount);
    }
    ASSERT_GE(itemTable.catgCount, 0);
    ASSERT_EQ(itemTable.catgNames.size(), static_cast<std::size_t>(itemTable.catgCount) + 1);
}

TEST_F(ListFileTest, WorkedExampleIsWrittenByteForByteAndReadBack) {
    MakeMilkTable();
    itemTable.listPath = "milk.ptm";
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    EXPECT_FALSE(itemTable.modified);
    Bytes expected = MilkFile();
    ASSERT_EQ(expected.size(), 125u);
    EXPECT_EQ(ReadBytes("milk.ptm"), expected);
    EXPECT_EQ(ReadBytes("grocery.ini"), (Bytes{'m', 'i', 'l', 'k', '.', 'p', 't', 'm', '\r', '\n'}));

    ClearTable();
    itemTable.modified = true;
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_FALSE(itemTable.modified);
    ASSERT_EQ(itemTable.itemCount, 1);
    ASSERT_EQ(itemTable.catgCount, 1);
    EXPECT_EQ(itemTable.catgNames[1], "dairy" + std::string(15, ' '));
    const ItemRecord& milk = itemTable.records[1];
    EXPECT_EQ(milk.catg, 1);
    EXPECT_EQ(FieldText(milk.itemName), "Milk" + std::string(16, ' '));
    EXPECT_FLOAT_EQ(milk.pricePerUnit, 2.5f);
    EXPECT_EQ(FormatPackedDate(milk.buyDate[0]), "03-15-24");
    EXPECT_EQ(milk.buyUnits[0], 2);
    EXPECT_EQ(ListFileBytes(), expected);
}

TEST_F(ListFileTest, ContentLengths) {
    itemTable.listPath = "list.ptm";
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    EXPECT_EQ(ReadBytes("list.ptm"), (Bytes{'P', 'a', 'n', 't', 'r', 'i', 'u', 'm', ' ', '1', '.', '5',
                                            '0', 0, 0, 0, 0, 0, 0, 0, 0}));
    AppendCategory("a");
    AppendCategory("b");
    for (const char* n : {"x", "y", "z"}) AddItem(n, "", "1", 2, false, false, 0);
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    EXPECT_EQ(ReadBytes("list.ptm").size(), 313u);
    DeleteRow(2, false);
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    EXPECT_EQ(ReadBytes("list.ptm").size(), 229u);  // a shorter save leaves no stale tail
}

TEST_F(ListFileTest, RoundTripKeepsRowOrderFlagsAndNames) {
    AppendCategory("A category name of 25 ch");
    AppendCategory("fruit");
    for (const char* n : {"b", "a", "c"}) AddItem(n, "", "", 1, false, false, 0);
    itemTable.rowOrder = {0, 3, 1, 2};  // not the sorted order
    itemTable.records[2].flags = 0xFF;   // unknown bits are written as read
    StoreTextField(itemTable.records[1].itemName, "pad   ");
    itemTable.listPath = "list.ptm";
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    ClearTable();
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.rowOrder, (std::vector<std::int32_t>{0, 3, 1, 2}));
    EXPECT_EQ(itemTable.records[2].flags, 0xFF);
    EXPECT_EQ(FieldText(itemTable.records[1].itemName), "pad" + std::string(17, ' '));
    EXPECT_EQ(itemTable.catgNames[1], "a category name of 2");
    EXPECT_EQ(itemTable.catgNames[2], "fruit" + std::string(15, ' '));
}

TEST_F(ListFileTest, ShortAndPaddedFiles) {
    itemTable.listPath = "list.ptm";
    Bytes milk = MilkFile();

    Bytes longer = milk;
    longer.insert(longer.end(), {1, 2, 3, 4, 5});
    WriteBytes("list.ptm", longer);
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(ListFileBytes(), milk);

    // Cut inside the record: the missing bytes read as 0, the category is a NUL name.
    WriteBytes("list.ptm", Bytes(milk.begin(), milk.begin() + 30));
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    ASSERT_EQ(itemTable.itemCount, 1);
    EXPECT_EQ(std::string(itemTable.records[1].itemName, 5), std::string("Milk\0", 5));
    EXPECT_EQ(itemTable.records[1].pricePerUnit, 0);
    ExpectSoundTable();

    // Cut inside the category name.
    WriteBytes("list.ptm", Bytes(milk.begin(), milk.end() - 10));
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    ASSERT_EQ(itemTable.catgCount, 1);
    EXPECT_EQ(itemTable.catgNames[1], "dairy" + std::string(5, ' ') + std::string(10, '\0'));
    EXPECT_EQ(itemTable.records[1].catg, 1);

    for (std::size_t len : {0, 5, 13, 17, 21, 25}) {
        WriteBytes("list.ptm", Bytes(milk.begin(), milk.begin() + len));
        AddItem("old", "", "", 0, false, false, 0);
        ASSERT_EQ(LoadList(), LoadResult::Loaded) << len;
        ExpectSoundTable();
        // an item needs at least its row-order entry in the file
        EXPECT_EQ(itemTable.itemCount, len < 25 ? 0 : 1) << len;
    }
}

TEST_F(ListFileTest, MissingFileIsCreatedEmpty) {
    AddItem("old", "", "", 0, false, false, 0);
    itemTable.listPath = "new.ptm";
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.itemCount, 0);
    EXPECT_TRUE(fs::exists("new.ptm"));
    EXPECT_EQ(fs::file_size("new.ptm"), 0u);
}

TEST_F(ListFileTest, UnreadablePathLeavesTheTable) {
    fs::create_directory("folder.ptm");
    AddItem("keep", "", "", 0, false, false, 0);
    itemTable.listPath = "folder.ptm";
    EXPECT_EQ(LoadList(), LoadResult::CannotOpen);
    itemTable.listPath = "no such folder/list.ptm";
    EXPECT_EQ(LoadList(), LoadResult::CannotOpen);
    EXPECT_EQ(RowNames(), std::vector<std::string>{"keep"});
    EXPECT_TRUE(itemTable.modified);
}

TEST_F(ListFileTest, DamagedCountsAndIndices) {
    Bytes milk = MilkFile();
    auto withInt = [&](std::size_t offset, std::int32_t v) {
        Bytes b = milk;
        std::memcpy(b.data() + offset, &v, 4);  // the tests run on little-endian hosts
        return b;
    };
    itemTable.listPath = "list.ptm";

    WriteBytes("list.ptm", withInt(13, -5));
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.itemCount, 0);
    EXPECT_EQ(itemTable.catgCount, 1);  // the names start right after the counts then

    WriteBytes("list.ptm", withInt(17, -1));
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.catgCount, 0);
    EXPECT_EQ(itemTable.records[1].catg, 0);  // a category the list lacks means none

    WriteBytes("list.ptm", withInt(13, 0x7FFFFFFF));
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    ExpectSoundTable();
    EXPECT_LE(itemTable.itemCount, 26);  // no more than the order entries the file holds

    WriteBytes("list.ptm", withInt(17, 0x7FFFFFFF));
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.catgCount, 1);

    WriteBytes("list.ptm", withInt(21, 7));  // row order not a permutation
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.rowOrder, (std::vector<std::int32_t>{0, 1}));

    Bytes b = milk;
    b[21 + 4] = 9;  // catg above m
    WriteBytes("list.ptm", b);
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.records[1].catg, 0);
}

TEST_F(ListFileTest, RowOrderRepairKeepsFirstValidEntries) {
    Bytes b(kListHeader, kListHeader + 13);
    Append(b, {4, 0, 0, 0, 0, 0, 0, 0});
    for (int v : {3, 3, -1, 1}) Append(b, {v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF, (v >> 24) & 0xFF});
    b.insert(b.end(), 4 * 80, 0);
    ASSERT_EQ(LoadFromBytes(b), LoadResult::Loaded);
    EXPECT_EQ(itemTable.rowOrder, (std::vector<std::int32_t>{0, 3, 1, 2, 4}));
}

TEST_F(ListFileTest, RandomBytesNeverBreakTheTable) {
    std::mt19937 rng(12345);
    Bytes milk = MilkFile();
    for (int i = 0; i < 3000; ++i) {
        Bytes b = milk;
        b.resize(rng() % 200);
        for (int j = rng() % 8; j > 0 && !b.empty(); --j) b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
        ASSERT_EQ(LoadFromBytes(b), LoadResult::Loaded);
        ExpectSoundTable();
        Bytes saved = ListFileBytes();
        ASSERT_EQ(LoadFromBytes(saved), LoadResult::Loaded);
        ASSERT_EQ(ListFileBytes(), saved) << "a repaired list must save and load stably";
    }
}

TEST_F(ListFileTest, FailedSaveKeepsTheOldFile) {
    MakeMilkTable();
    itemTable.listPath = "list.ptm";
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    const Bytes before = ReadBytes("list.ptm");
    fs::remove("grocery.ini");

    AddItem("Eggs", "", "", 0, false, false, 0);
    // The temporary file cannot be created: a folder is in its way.
    fs::create_directories("list.ptm.saving/x");
    EXPECT_EQ(SaveList(), SaveResult::CannotWrite);
    EXPECT_TRUE(itemTable.modified);
    EXPECT_EQ(ReadBytes("list.ptm"), before);
    EXPECT_FALSE(fs::exists("grocery.ini"));
    fs::remove_all("list.ptm.saving");

    // The target cannot be replaced: the temporary file is removed again.
    itemTable.listPath = "busy";
    fs::create_directories("busy/x");
    EXPECT_EQ(SaveList(), SaveResult::CannotWrite);
    EXPECT_FALSE(fs::exists("busy.saving"));
    EXPECT_TRUE(itemTable.modified);

    itemTable.listPath = "missing folder/list.ptm";
    EXPECT_EQ(SaveList(), SaveResult::CannotWrite);

    itemTable.listPath = "";
    EXPECT_EQ(SaveList(), SaveResult::NeedsPath);
    EXPECT_TRUE(itemTable.modified);

    itemTable.listPath = "list.ptm";
    EXPECT_EQ(SaveList(), SaveResult::Saved);
    EXPECT_FALSE(fs::exists("list.ptm.saving"));
    EXPECT_EQ(ReadBytes("list.ptm").size(), 125u + 84u);
}

TEST_F(ListFileTest, LoadingKeepsTheSnapshot) {
    MakeMilkTable();
    itemTable.snapshot.taken = true;
    itemTable.snapshot.count = 7;
    WriteBytes("list.ptm", {});
    itemTable.listPath = "list.ptm";
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.snapshot.count, 7);
}

TEST(CaptionForPath, PartBeforeTheFirstFullStop) {
    EXPECT_EQ(CaptionForPath("my Pantrium.ptm"), "my Pantrium");
    EXPECT_EQ(CaptionForPath("C:\\Lists.old\\home.ptm"), "C:\\Lists");
    EXPECT_EQ(CaptionForPath("home"), "home");
    EXPECT_EQ(CaptionForPath(""), "");
}

}  // namespace
}  // namespace pantrium::test
