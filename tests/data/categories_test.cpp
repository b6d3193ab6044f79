#include "data/categories.h"
#include "data_test_support.h"

namespace pantrium::test {
namespace {

using CategoriesTest = DataTest;

TEST_F(CategoriesTest, AppendRenameRemove) {
    AppendCategory("Frozen Foods");
    AppendCategory("\xC9PICERIE \xD7");  // Latin-1 capitals lowered, the multiplication sign kept
    AppendCategory("c");
    EXPECT_EQ(itemTable.catgNames[1], "frozen foods");
    EXPECT_EQ(itemTable.catgNames[2], "\xE9picerie \xD7");
    EXPECT_EQ(ToLowerAnsi("\x8A\x8C\x8E\x9F"), "\x9A\x9C\x9E\xFF");
    RenameCategory(2, "B Items");
    EXPECT_EQ(itemTable.catgNames[2], "B Items");

    AddItem("in a", "", "", 1, false, false, 0);
    AddItem("in b", "", "", 2, false, false, 0);
    AddItem("in c", "", "", 3, false, false, 0);
    AddItem("none", "", "", 0, false, false, 0);
    itemTable.modified = false;
    TakePendingRefresh();  // the adds' own
    RemoveCategory(2);
    EXPECT_TRUE(itemTable.modified);
    EXPECT_EQ(itemTable.catgCount, 2);
    EXPECT_EQ(itemTable.catgNames, (std::vector<std::string>{"", "frozen foods", "c", ""}));
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"in b", "none", "in a", "in c"}));
    EXPECT_EQ(itemTable.records[3].catg, 2);
    EXPECT_EQ(TakePendingRefresh(), 1);
    RemoveCategory(3);  // outside 1..m: nothing
    EXPECT_EQ(TakePendingRefresh(), std::nullopt);
    RenameCategory(0, "x");
    EXPECT_EQ(itemTable.catgCount, 2);
    AppendCategory("D");  // reuses the spare element
    EXPECT_EQ(itemTable.catgNames, (std::vector<std::string>{"", "frozen foods", "c", "d"}));
}

TEST_F(CategoriesTest, NoMoreThanAByteCanReferTo) {
    for (int i = 0; i < kMaxCategories + 3; ++i) AppendCategory(std::string(1, 'c').append(std::to_string(i)));
    EXPECT_EQ(itemTable.catgCount, kMaxCategories);
    EXPECT_EQ(itemTable.catgNames.back(), "c254");
}

TEST(FirstSettingsField, Rules) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Lists\\home.ptm\r\nmore", "C:\\Lists\\home.ptm"},
        {"  home.ptm,second field", "home.ptm"},
        {"\"C:\\a, b\\x.ptm\",y", "C:\\a, b\\x.ptm"},
        {"\"two\r\nlines\"", "two\r\nlines"},
        {"\"unclosed", "unclosed"},
        {"a\tb\nc \r", "abc "},  // tab and LF left out, blanks kept
        {"x.ptm\x1Ay", "x.ptm"},
        {"   \x1Ax", ""},
        {"   ", ""},
        {",x", ""}};
    for (auto [content, field] : cases) EXPECT_EQ(FirstSettingsField(content), field) << content;
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

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// ANSI text is Windows-1252 on this system, as on the Windows PCs a list is
// shared with: ANSI paths are read in it, UTF-8 after a byte-order mark
// without the mark, and UTF-8 without a mark (as earlier Linux versions wrote
// it) as UTF-8. grocery.ini gets the path in ANSI where it has a form there,
// else UTF-8 after the mark.
TEST_F(CategoriesTest, SettingsFilesWithPathsInAnyLanguage) {
    TempDir dir;
    const std::string bom = "\xEF\xBB\xBF";
    const std::string russian = "\xD0\xBF\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBF\xD0\xBA\xD0\xB8/list.ptm";
    const std::string japanese = "\xE8\xB2\xB7\xE3\x81\x84\xE7\x89\xA9.ptm";
    struct Case {
        std::string content, path, written;
    };
    const Case cases[] = {
        {bom + "  \"" + russian + "\",x\r\n", russian, bom + russian},
        {bom + japanese + "\r\n", japanese, bom + japanese},
        {"Eink\xE4ufe\\list \x96 week.ptm\r\n", "Eink\xC3\xA4ufe\\list \xE2\x80\x93 week.ptm",
         "Eink\xE4ufe\\list \x96 week.ptm"},
        {"Eink\xC3\xA4ufe/list.ptm\r\n", "Eink\xC3\xA4ufe/list.ptm", "Eink\xE4ufe/list.ptm"},
        {bom + "Eink\xC3\xA4ufe/list.ptm\r\n", "Eink\xC3\xA4ufe/list.ptm", "Eink\xE4ufe/list.ptm"},
        {bom, "my Pantrium.ptm", ""},
        {bom + "\r\n", "my Pantrium.ptm", ""}};
    for (const Case& c : cases) {
        WriteBytes("pantrium.ini", Bytes(c.content.begin(), c.content.end()));
        ReadSettings();
        EXPECT_EQ(itemTable.listPath, c.path) << c.content;
        if (c.written.empty()) continue;
        ASSERT_TRUE(WriteLastListPath());
        EXPECT_EQ(ReadBytes("grocery.ini"), Text(c.written + "\r\n")) << c.content;
    }
}

}  // namespace
}  // namespace pantrium::test
