#include "data/categories.h"
#include "data/list_file.h"
#include "data_test_support.h"

namespace pantrium::test {
namespace {

using CategoriesTest = DataTest;

TEST_F(CategoriesTest, AppendStoresLowerCase) {
    AppendCategory("Frozen Foods");
    AppendCategory("\xC9PICERIE \xD7");  // Latin-1 capitals lowered, the multiplication sign kept
    ASSERT_EQ(itemTable.catgCount, 2);
    EXPECT_EQ(itemTable.catgNames[1], "frozen foods");
    EXPECT_EQ(itemTable.catgNames[2], "\xE9picerie \xD7");
    EXPECT_TRUE(itemTable.modified);
    EXPECT_EQ(ToLowerAnsi("\x8A\x8C\x8E\x9F"), "\x9A\x9C\x9E\xFF");
}

TEST_F(CategoriesTest, RenameKeepsTheTextAsEntered) {
    AppendCategory("dairy");
    itemTable.modified = false;
    RenameCategory(1, "Dairy Products");
    RenameCategory(2, "nothing there");
    EXPECT_EQ(itemTable.catgNames[1], "Dairy Products");
    EXPECT_EQ(itemTable.catgCount, 1);
    EXPECT_TRUE(itemTable.modified);
}

TEST_F(CategoriesTest, RemoveRenumbersItemsAndSorts) {
    for (const char* c : {"a", "b", "c"}) AppendCategory(c);
    AddItem("in a", "", "", 1, false, false, 0);
    AddItem("in b", "", "", 2, false, false, 0);
    AddItem("in c", "", "", 3, false, false, 0);
    AddItem("none", "", "", 0, false, false, 0);
    refreshes.clear();
    RemoveCategory(2);
    EXPECT_EQ(itemTable.catgCount, 2);
    ASSERT_EQ(itemTable.catgNames.size(), 4u);  // capacity kept, vacated element empty
    EXPECT_EQ(itemTable.catgNames[2], "c");
    EXPECT_EQ(itemTable.catgNames[3], "");
    EXPECT_EQ(itemTable.records[1].catg, 1);
    EXPECT_EQ(itemTable.records[2].catg, 0);
    EXPECT_EQ(itemTable.records[3].catg, 2);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"in b", "none", "in a", "in c"}));
    EXPECT_EQ(refreshes, std::vector<int>{1});
    RemoveCategory(0);
    RemoveCategory(3);
    EXPECT_EQ(itemTable.catgCount, 2);

    // Appending after a removal reuses the spare element.
    AppendCategory("D");
    EXPECT_EQ(itemTable.catgNames.size(), 4u);
    EXPECT_EQ(itemTable.catgNames[3], "d");
}

TEST_F(CategoriesTest, NoMoreThanAByteCanReferTo) {
    for (int i = 0; i < kMaxCategories + 3; ++i) AppendCategory(std::string(1, 'c').append(std::to_string(i)));
    EXPECT_EQ(itemTable.catgCount, kMaxCategories);
    EXPECT_EQ(itemTable.catgNames.back(), "c254");
}

TEST(FirstSettingsField, Rules) {
    EXPECT_EQ(FirstSettingsField("C:\\Lists\\home.ptm\r\nmore"), "C:\\Lists\\home.ptm");
    EXPECT_EQ(FirstSettingsField("  home.ptm,second field"), "home.ptm");
    EXPECT_EQ(FirstSettingsField("\"C:\\a, b\\x.ptm\",y"), "C:\\a, b\\x.ptm");
    EXPECT_EQ(FirstSettingsField("\"two\r\nlines\""), "two\r\nlines");
    EXPECT_EQ(FirstSettingsField("\"unclosed"), "unclosed");
    EXPECT_EQ(FirstSettingsField("a\tb\nc \r"), "abc ");  // tab and LF left out, blanks kept
    EXPECT_EQ(FirstSettingsField("x.ptm\x1A" "y"), "x.ptm");
    EXPECT_EQ(FirstSettingsField("   \x1A" "x"), "");
    EXPECT_EQ(FirstSettingsField("   "), "");
    EXPECT_EQ(FirstSettingsField(""), "");
    EXPECT_EQ(FirstSettingsField(",x"), "");
}

TEST_F(CategoriesTest, SettingsFiles) {
    TempDir dir;
    itemTable.listPath = "something else";
    ReadSettings();
    EXPECT_EQ(itemTable.listPath, "my Pantrium.ptm");  // no pantrium.ini

    WriteBytes("pantrium.ini", {' ', '\r', '\n'});
    ReadSettings();
    EXPECT_EQ(itemTable.listPath, "my Pantrium.ptm");  // empty first field

    const std::string ini = "\"C:\\Lists\\home.ptm\"\r\n";
    WriteBytes("pantrium.ini", Bytes(ini.begin(), ini.end()));
    ReadSettings();
    EXPECT_EQ(itemTable.listPath, "C:\\Lists\\home.ptm");

    WriteBytes("grocery.ini", Bytes(100, 'x'));
    ASSERT_TRUE(WriteLastListPath());
    const std::string expected = "C:\\Lists\\home.ptm\r\n";
    EXPECT_EQ(ReadBytes("grocery.ini"), Bytes(expected.begin(), expected.end()));

    fs::remove("grocery.ini");
    fs::create_directories("grocery.ini/x");
    EXPECT_FALSE(WriteLastListPath());
}

TEST_F(CategoriesTest, FailedLastListFileDoesNotFailTheSave) {
    TempDir dir;
    fs::create_directories("grocery.ini/x");
    itemTable.listPath = "list.ptm";
    itemTable.modified = true;
    EXPECT_EQ(SaveList(), SaveResult::Saved);
    EXPECT_FALSE(itemTable.modified);
    EXPECT_EQ(ReadBytes("list.ptm").size(), 21u);
}

}  // namespace
}  // namespace pantrium::test
