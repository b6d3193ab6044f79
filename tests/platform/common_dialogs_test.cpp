// Prompts and file dialogs of the headless layer: recorded requests and
// scripted answers.
#include "headless_fixture.h"

using namespace plat;

using CommonDialogs = HeadlessTest;

TEST_F(CommonDialogs, PromptRecordsAndAnswersFromTheScript) {
    headless::AnswerPrompt(6);
    EXPECT_EQ(Prompt("Delete this item now?", "Delete Item", 36), 6);
    ASSERT_EQ(headless::Prompts().size(), 1u);
    EXPECT_EQ(headless::Prompts()[0].text, "Delete this item now?");
    EXPECT_EQ(headless::Prompts()[0].caption, "Delete Item");
    EXPECT_EQ(headless::Prompts()[0].style, 36);
    EXPECT_EQ(headless::Prompts()[0].answer, 6);
}

TEST_F(CommonDialogs, UnscriptedOrImpossiblePromptAnswersAreFailures) {
    EXPECT_EQ(Prompt("Save?", "Save File", 35), 2);
    headless::AnswerPrompt(2);
    Prompt("Delete?", "Delete Item", 36);  // Yes/No offers no Cancel
    EXPECT_EQ(headless::TakeFailures(),
              (std::vector<std::string>{"unscripted prompt \"Save?\"",
                                        "prompt \"Delete?\" of style 36 cannot answer 2"}));
}

TEST_F(CommonDialogs, SaveDialogAppendsTheDefaultExtensionToANameWithoutOne) {
    FileDialogRequest request;
    request.title = "Save File";
    request.fileName = "My pantrium";
    request.defExt = "ptm";
    headless::AnswerFileDialog(true, "C:\\lists\\week");
    headless::AnswerFileDialog(true, "C:\\lists.old\\week.txt");
    ASSERT_TRUE(GetSaveFileName(request));
    EXPECT_EQ(request.fileName, "C:\\lists\\week.ptm");
    ASSERT_TRUE(GetSaveFileName(request));
    EXPECT_EQ(request.fileName, "C:\\lists.old\\week.txt");  // a dot in a folder does not count
    EXPECT_TRUE(request.flags & 0x400);                       // extension differs
    ASSERT_EQ(headless::FileDialogs().size(), 2u);
    EXPECT_EQ(headless::FileDialogs()[0].fileName, "My pantrium");  // the request as passed in
}

TEST_F(CommonDialogs, CancelledFileDialogLeavesTheNameAlone) {
    FileDialogRequest open;
    headless::AnswerFileDialog(false, "ignored");
    EXPECT_FALSE(GetOpenFileName(open));
    EXPECT_EQ(open.fileName, "");
    FileDialogRequest save;
    save.fileName = "my Pantrium.ptm";
    headless::AnswerFileDialog(false, "");
    EXPECT_FALSE(GetSaveFileName(save));
    EXPECT_EQ(save.fileName, "my Pantrium.ptm");
    EXPECT_FALSE(GetOpenFileName(open));  // unscripted
    EXPECT_EQ(headless::TakeFailures(), std::vector<std::string>{"unscripted open-file dialog"});
}
