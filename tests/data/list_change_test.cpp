// The list file changed on disk: the base kept by load and save, the check
// (touched is no change, a file being written is not taken), reload, and two
// programs saving one list file in turn.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "data/categories.h"
#include "data/checkout.h"
#include "platform/files.h"
#include "data_test_support.h"
#include "list_merge_support.h"

namespace pantrium::test {
namespace {

// One running program: its table and what it knows of the list file.
struct Program {
    ItemTable table;
    ListFileBase base;
};

class ListChangeTest : public DataTest {
protected:
    void SetUp() override {
        DataTest::SetUp();
        listFileBase = ListFileBase{};
        itemTable.listPath = "shared.ptm";
        AppendCategory("dairy");
        AppendCategory("bakery");
        AddItem("Bread", "loaf", "2.5", 2, false, false, 0);
        AddItem("Eggs", "dozen", "3", 1, false, false, 0);
        ASSERT_EQ(SaveList(), SaveResult::Saved);
    }
    void TearDown() override {
        listFileBase = ListFileBase{};
        DataTest::TearDown();
    }

    // Runs steps as program p: its table and base are the program's own meanwhile.
    void As(Program& p, const std::function<void()>& steps) {
        std::swap(itemTable, p.table);
        std::swap(listFileBase, p.base);
        steps();
        std::swap(itemTable, p.table);
        std::swap(listFileBase, p.base);
    }

    // Another program writes these bytes, keeping nothing of the file's stamp.
    static void WriteAsOther(const Bytes& bytes) {
        WriteBytes("other.tmp", bytes);
        fs::rename("other.tmp", "shared.ptm");
    }

    static void PushModifiedTime(std::chrono::seconds by) {
        fs::last_write_time("shared.ptm", fs::last_write_time("shared.ptm") + by);
    }

    TempDir dir;
};

// ---- What a file is ----

TEST(CompleteListFileTest, OnlyAWholeListFileCounts) {
    TempDir dir;
    ClearTable();
    AppendCategory("dairy");
    AddItem("Milk", "gallon", "3", 1, false, false, 0);
    AddItem("Eggs", "dozen", "3", 1, false, false, 0);
    const Bytes whole = ListFileBytes();
    EXPECT_TRUE(IsCompleteListFile(whole.data(), whole.size()));
    EXPECT_TRUE(IsCompleteListFile((whole + Bytes{1, 2, 3}).data(), whole.size() + 3)) << "extra bytes are ignored";
    for (std::size_t cut : {std::size_t(0), std::size_t(12), std::size_t(21), whole.size() - 1})
        EXPECT_FALSE(IsCompleteListFile(whole.data(), cut)) << "cut to " << cut;

    Bytes header = whole;
    header[0] = 'X';
    EXPECT_FALSE(IsCompleteListFile(header.data(), header.size())) << "another header";
    Bytes order = whole;
    order[21] = order[25];  // rows 1 and 2 show one record
    EXPECT_FALSE(IsCompleteListFile(order.data(), order.size())) << "row order not a permutation";
    Bytes sized = whole;
    std::fill(sized.end() - 20, sized.end(), 0);  // sized by its writer, last name not yet written
    EXPECT_FALSE(IsCompleteListFile(sized.data(), sized.size())) << "zeros where the last name belongs";
    Bytes many = whole;
    many[17] = 0;
    many[18] = 1;  // 256 categories
    EXPECT_FALSE(IsCompleteListFile(many.data(), many.size()));

    ClearTable();
    const Bytes empty = ListFileBytes();
    EXPECT_TRUE(IsCompleteListFile(empty.data(), empty.size())) << "an empty list of 21 bytes";
    AddItem("Milk", "gallon", "3", 0, false, false, 0);
    Bytes noNames = ListFileBytes();
    EXPECT_TRUE(IsCompleteListFile(noNames.data(), noNames.size()));
    std::fill(noNames.end() - 80, noNames.end(), 0);
    EXPECT_FALSE(IsCompleteListFile(noNames.data(), noNames.size())) << "zeros where the last record belongs";
}

// ---- The base and the check ----

TEST_F(ListChangeTest, LoadAndSaveRememberTheListTheyReadAndWrote) {
    EXPECT_EQ(listFileBase.path, "shared.ptm");
    EXPECT_EQ(listFileBase.bytes, ReadBytes("shared.ptm"));
    EXPECT_TRUE(listFileBase.stampKnown);
    WriteAsOther(ReadBytes("shared.ptm") + Bytes{9});
    ASSERT_EQ(LoadList(), LoadResult::Loaded);
    EXPECT_EQ(listFileBase.bytes, ReadBytes("shared.ptm"));
    files::FileStamp now;
    ASSERT_TRUE(files::FileStatus("shared.ptm", now));
    EXPECT_EQ(listFileBase.stamp, now);
    EXPECT_EQ(CheckListFile().change, DiskChange::None);
}

TEST_F(ListChangeTest, AnUnchangedStatusIsNotReadAgain) {
    // Same size, same modification time, same file: the check trusts the
    // status and does not read. Bytes changed behind it are not seen, which
    // shows that no read took place.
    const auto time = fs::last_write_time("shared.ptm");
    Bytes other = ReadBytes("shared.ptm");
    other[30] ^= 1;
    {
        std::fstream f("shared.ptm", std::ios::in | std::ios::out | std::ios::binary);
        f.write(reinterpret_cast<const char*>(other.data()), static_cast<std::streamsize>(other.size()));
    }
    fs::last_write_time("shared.ptm", time);
    EXPECT_EQ(CheckListFile().change, DiskChange::None);
    // A newer modification time makes it read, and see the change.
    PushModifiedTime(std::chrono::seconds(2));
    EXPECT_EQ(CheckListFile().change, DiskChange::Changed);
}

TEST_F(ListChangeTest, ATouchedButUnchangedFileIsNoChange) {
    PushModifiedTime(std::chrono::seconds(5));
    EXPECT_EQ(CheckListFile().change, DiskChange::None);
    files::FileStamp now;
    ASSERT_TRUE(files::FileStatus("shared.ptm", now));
    EXPECT_EQ(listFileBase.stamp, now) << "the new stamp is taken, so the next check is a status call";
    WriteAsOther(ReadBytes("shared.ptm"));  // replaced by the same bytes
    EXPECT_EQ(CheckListFile().change, DiskChange::None);
}

TEST_F(ListChangeTest, AnotherSaveIsAChangeWithItsBytes) {
    ItemTable other = itemTable;
    Edit(other, [] { AddItem("Milk", "gallon", "3.2", 1, false, false, 0); });
    WriteAsOther(ListFileBytes(other));
    DiskCheck check = CheckListFile();
    ASSERT_EQ(check.change, DiskChange::Changed);
    EXPECT_EQ(check.bytes, ListFileBytes(other));
    EXPECT_EQ(CheckListFile().change, DiskChange::Changed) << "still changed until taken in";
}

TEST_F(ListChangeTest, AFileBeingWrittenIsNotTakenOverTheTable) {
    const ItemTable before = itemTable;
    ItemTable other = itemTable;
    Edit(other, [] { AddItem("Milk", "gallon", "3.2", 1, false, false, 0); });
    const Bytes whole = ListFileBytes(other);
    WriteAsOther(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2)));
    DiskCheck check = CheckListFile();
    EXPECT_EQ(check.change, DiskChange::NotNow);
    EXPECT_FALSE(ReloadChangedList(check));
    WriteAsOther(Bytes{});  // emptied before it is written
    EXPECT_EQ(CheckListFile().change, DiskChange::NotNow);
    EXPECT_EQ(ListFileBytes(), ListFileBytes(before));

    // Written whole, it is seen at the next check.
    WriteAsOther(whole);
    check = CheckListFile();
    ASSERT_EQ(check.change, DiskChange::Changed);
    EXPECT_TRUE(ReloadChangedList(check));
    EXPECT_NE(FindItem(itemTable, "dairy", "Milk"), nullptr);
}

TEST_F(ListChangeTest, AMissingFileIsSaidSo) {
    fs::remove("shared.ptm");
    EXPECT_EQ(CheckListFile().change, DiskChange::Missing);
    // A new list with no file yet: nothing there is no change.
    listFileBase = ListFileBase{};
    EXPECT_EQ(CheckListFile().change, DiskChange::None);
}

// ---- Reload and merge ----

TEST_F(ListChangeTest, ReloadTakesTheFileAsTableAndBase) {
    TakeCheckoutSnapshot();
    ItemTable other = itemTable;
    Edit(other, [] { MarkToBuy("Bread", 2); });
    WriteAsOther(ListFileBytes(other));
    DiskCheck check = CheckListFile();
    ASSERT_TRUE(ReloadChangedList(check));
    EXPECT_TRUE(FindItem(itemTable, "bakery", "Bread")->toBuy());
    EXPECT_FALSE(itemTable.modified);
    EXPECT_EQ(listFileBase.bytes, ReadBytes("shared.ptm"));
    EXPECT_EQ(CheckListFile().change, DiskChange::None);
    EXPECT_EQ(CheckoutUndoState(), UndoCheckoutState::MergedSince) << "undo would drop the reloaded change";
}

TEST_F(ListChangeTest, MergeListFileFoldsInACopyWithoutBase) {
    ItemTable copy = itemTable;
    Edit(copy, [] {
        AddItem("Milk", "gallon", "3.2", 1, false, false, 0);
        SetPrice("Eggs", 3.5f);
    });
    WriteBytes("shared (conflicted copy).ptm", ListFileBytes(copy));
    SetPrice("Eggs", 2.9f);
    std::vector<MergeConflict> conflicts;
    ASSERT_TRUE(MergeListFile("shared (conflicted copy).ptm", conflicts));
    EXPECT_NE(FindItem(itemTable, "dairy", "Milk"), nullptr);
    EXPECT_EQ(FindItem(itemTable, "dairy", "Eggs")->pricePerUnit, 2.9f);
    EXPECT_EQ(ConflictTexts(conflicts), std::vector<std::string>{"dairy/Eggs/dozen: price"});
    EXPECT_TRUE(itemTable.modified);

    const Bytes copyBytes = ListFileBytes(copy);
    WriteBytes("half.ptm", Bytes(copyBytes.begin(), copyBytes.begin() + 40));
    const Bytes table = ListFileBytes();
    EXPECT_FALSE(MergeListFile("half.ptm", conflicts));
    EXPECT_FALSE(MergeListFile("missing.ptm", conflicts));
    EXPECT_EQ(ListFileBytes(), table);
}

// ---- Two programs on one file ----

class TwoProgramsTest : public ListChangeTest {
protected:
    void SetUp() override {
        ListChangeTest::SetUp();
        for (Program* p : {&a, &b}) As(*p, [] {
            itemTable.listPath = "shared.ptm";
            ASSERT_EQ(LoadList(), LoadResult::Loaded);
        });
    }

    // The save of a shared list, as program p.
    SharedSave Save(Program& p) {
        SharedSave save;
        As(p, [&] { save = SaveSharedList(); });
        EXPECT_TRUE(save.saved);
        EXPECT_EQ(save.result, SaveResult::Saved);
        return save;
    }

    // The list file as it is now.
    static ItemTable OnDisk() {
        ItemTable table;
        const Bytes bytes = ReadBytes("shared.ptm");
        LoadFromBytes(bytes.data(), bytes.size(), table);
        return table;
    }

    Program a, b;
};

TEST_F(TwoProgramsTest, OneAddsTheOtherMarksBothSavesHoldBoth) {
    As(a, [] { AddItem("Milk", "gallon", "3.2", 1, false, false, 0); });
    As(b, [] { MarkToBuy("Bread", 2); });
    EXPECT_EQ(Save(a).found, DiskChange::None);
    const SharedSave save = Save(b);
    EXPECT_EQ(save.found, DiskChange::Changed);
    EXPECT_TRUE(save.conflicts.empty());
    const ItemTable disk = OnDisk();
    EXPECT_NE(FindItem(disk, "dairy", "Milk"), nullptr);
    EXPECT_TRUE(FindItem(disk, "bakery", "Bread")->toBuy());
    EXPECT_EQ(FindItem(disk, "bakery", "Bread")->unitsToBuy, 2);
    // B shows the merged list, and A sees B's save as a change to reload.
    EXPECT_EQ(ListFileBytes(b.table), ReadBytes("shared.ptm"));
    As(a, [] {
        DiskCheck check = CheckListFile();
        ASSERT_EQ(check.change, DiskChange::Changed);
        ReloadChangedList(check);
        EXPECT_TRUE(FindItem(itemTable, "bakery", "Bread")->toBuy());
    });
}

TEST_F(TwoProgramsTest, BothChangeOnePriceTheLaterSaveWinsAndIsTold) {
    As(a, [] { SetPrice("Eggs", 3.1f); });
    As(b, [] { SetPrice("Eggs", 2.9f); });
    Save(a);
    const SharedSave save = Save(b);
    EXPECT_EQ(ConflictTexts(save.conflicts), std::vector<std::string>{"dairy/Eggs/dozen: price"});
    EXPECT_EQ(FindItem(OnDisk(), "dairy", "Eggs")->pricePerUnit, 2.9f);
}

TEST_F(TwoProgramsTest, CheckoutOnOneAndAnEditOnTheOtherBothSurvive) {
    As(a, [] {
        MarkToBuy("Eggs", 2);
        TakeCheckoutSnapshot();
        ApplyCheckout(Date("03-05-2024"), false, 1, nullptr);
    });
    As(b, [] { SetPrice("Bread", 2.75f); });
    Save(a);
    Save(b);
    const ItemTable disk = OnDisk();
    EXPECT_EQ(FindItem(disk, "dairy", "Eggs")->buyDate[0], Date("03-05-2024"));
    EXPECT_EQ(FindItem(disk, "dairy", "Eggs")->buyUnits[0], 2);
    EXPECT_EQ(FindItem(disk, "bakery", "Bread")->pricePerUnit, 2.75f);
    // And in the other order: the checkout saved second keeps the edit.
    As(b, [] { SetPrice("Bread", 3.0f); });
    As(a, [] {
        MarkToBuy("Bread", 1);
        ApplyCheckout(Date("03-06-2024"), false, 1, nullptr);
    });
    Save(b);
    Save(a);
    const ItemRecord* bread = FindItem(OnDisk(), "bakery", "Bread");
    EXPECT_EQ(bread->pricePerUnit, 3.0f);
    EXPECT_EQ(bread->buyDate[0], Date("03-06-2024"));
}

TEST_F(TwoProgramsTest, DeleteOnOneChangeOnTheOtherKeepsTheChangedItem) {
    As(a, [] { DeleteRow(RowNamed("Eggs"), false); });
    As(b, [] { MarkToBuy("Eggs", 4); });
    Save(a);
    EXPECT_EQ(FindItem(OnDisk(), "dairy", "Eggs"), nullptr);
    Save(b);
    const ItemRecord* eggs = FindItem(OnDisk(), "dairy", "Eggs");
    ASSERT_NE(eggs, nullptr);
    EXPECT_EQ(eggs->unitsToBuy, 4);
}

TEST_F(TwoProgramsTest, NothingIsSavedOverAFileBeingWritten) {
    As(a, [] { AddItem("Milk", "gallon", "3.2", 1, false, false, 0); });
    WriteAsOther(Bytes(10, 0));
    SharedSave save;
    As(a, [&] { save = SaveSharedList(); });
    EXPECT_EQ(save.found, DiskChange::NotNow);
    EXPECT_FALSE(save.saved);
    EXPECT_EQ(ReadBytes("shared.ptm"), Bytes(10, 0));
}

}  // namespace
}  // namespace pantrium::test
