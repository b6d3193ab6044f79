// The wrappers over the platform's open and save dialogs.
#include <gtest/gtest.h>

#include <filesystem>

#include "drivers/script.h"
#include "ui/dialogs/file_dialogs.h"

namespace pantrium {
namespace {

const std::string kFilterText = "Pantriums (*.ptm)|*.ptm|All Files (*.*)|*.*";

class FileDialogs : public ::testing::Test {
protected:
    void SetUp() override { script::Reset(); }
    void TearDown() override { EXPECT_TRUE(script::Failures().empty()); }
};

TEST_F(FileDialogs, FilterBecomesNulSeparatedPairsEndingInTwoNuls) {
    EXPECT_EQ(ConvertFilter("a|b|c|d"), std::string("a\0b\0c\0d\0\0", 9));
    EXPECT_EQ(ConvertFilter(""), std::string("\0\0", 2));
}

TEST_F(FileDialogs, OpenCancelledGivesAnEmptyNameAndPassesTheRequestThrough) {
    script::AnswerFileDialog(false, "");
    std::string name;
    std::uint32_t flags = 0x282404;
    EXPECT_EQ(OpenFileDialog(0x40, "Open File", name, "", kFilterText, "", flags), 0);
    EXPECT_EQ(name, "");
    ASSERT_EQ(script::FileDialogs().size(), 1u);
    const plat::FileDialogRequest& req = script::FileDialogs()[0];
    EXPECT_EQ(req.owner, 0x40u);
    EXPECT_EQ(req.title, "Open File");
    EXPECT_EQ(req.bufferSize, 8192);
    EXPECT_EQ(req.filterIndex, 1);
    EXPECT_EQ(req.filter, ConvertFilter(kFilterText));
    EXPECT_EQ(req.initialDir, std::filesystem::current_path().string());
    EXPECT_EQ(req.defExt, "");
    EXPECT_EQ(req.flags, 0x282404u);
}

TEST_F(FileDialogs, SaveCutsTheProposalAndReturnsThePathWithTheDefaultExtension) {
    script::AnswerFileDialog(true, "C:\\lists\\weekly");
    std::string name(300, 'n');
    name[280] = '\0';
    std::uint32_t flags = 0x200006;
    EXPECT_EQ(SaveFileDialog(0, "Save File", name, "C:\\lists", kFilterText, "ptm", flags), 1);
    EXPECT_EQ(name, "C:\\lists\\weekly.ptm");
    const plat::FileDialogRequest& req = script::FileDialogs().at(0);
    EXPECT_EQ(req.fileName, std::string(260, 'n'));
    EXPECT_EQ(req.bufferSize, 260);
    EXPECT_EQ(req.filterIndex, 3);
    EXPECT_EQ(req.initialDir, "C:\\lists");
    EXPECT_EQ(req.defExt, "ptm");
    EXPECT_EQ(flags & 0x200006u, 0x200006u);  // the flags come back as the dialog left them
}

// Path texts are UTF-8: the proposal is cut to 260 characters, not bytes,
// and never inside a character.
TEST_F(FileDialogs, SaveCutsAProposalInAnyLanguageToWholeCharacters) {
    std::string cyrillic;
    for (int i = 0; i < 300; ++i) cyrillic += "\xD0\xBF";  // U+043F, two bytes
    std::string japanese = "a";
    for (int i = 0; i < 300; ++i) japanese += "\xE8\xB2\xB7";  // U+8CB7, three bytes
    std::string shortName = "Z:\\\xD0\xBF\\\xE8\xB2\xB7.ptm";
    for (const std::string* name : {&cyrillic, &japanese, &shortName}) {
        script::AnswerFileDialog(false, "");
        std::string proposal = *name;
        std::uint32_t flags = 0;
        SaveFileDialog(0, "Save File", proposal, "", kFilterText, "ptm", flags);
    }
    ASSERT_EQ(script::FileDialogs().size(), 3u);
    std::string cyrillic260;
    for (int i = 0; i < 260; ++i) cyrillic260 += "\xD0\xBF";
    EXPECT_EQ(script::FileDialogs()[0].fileName, cyrillic260);
    EXPECT_EQ(script::FileDialogs()[1].fileName, japanese.substr(0, 1 + 3 * 259));
    EXPECT_EQ(script::FileDialogs()[2].fileName, shortName);
}

TEST_F(FileDialogs, ProposedNameIsCutAtItsFirstNul) {
    script::AnswerFileDialog(false, "");
    std::string name("list\0rest", 9);
    std::uint32_t flags = 0;
    EXPECT_EQ(SaveFileDialog(0, "", name, "", kFilterText, "ptm", flags), 0);
    EXPECT_EQ(script::FileDialogs().at(0).fileName, "list");
    EXPECT_EQ(script::FileDialogs().at(0).title, "");
    EXPECT_EQ(name, "list");  // a cancelled dialog leaves the proposal
}

}  // namespace
}  // namespace pantrium
