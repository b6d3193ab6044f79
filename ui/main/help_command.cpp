// The Help command: the help file of the folder the program started in, else
// the one beside the program, else a notice that names where it looked.
#include <vector>

#include "platform/files.h"
#include "ui/dialogs/message_box.h"
#include "ui/main/main_window.h"

namespace pantrium {

namespace {

constexpr std::size_t kMaxHelpPath = 239;
const std::string kHelpFileName = "\\Pantrium.chm";

// The folder part of a help path, for the notice.
std::string FolderOf(const std::string& helpPath) {
    const bool named = helpPath.size() >= kHelpFileName.size() &&
                       helpPath.compare(helpPath.size() - kHelpFileName.size(), kHelpFileName.size(),
                                        kHelpFileName) == 0;
    return named ? helpPath.substr(0, helpPath.size() - kHelpFileName.size()) : helpPath;
}

}  // namespace

// The path is kept to kMaxHelpPath characters; a character of the UTF-8 path
// text is never cut in two.
std::string HelpPathIn(const std::string& folder) {
    return files::FirstCharacters(folder + kHelpFileName, kMaxHelpPath);
}

void HelpCommand(MainWindowState& ui) {
    std::vector<std::string> places{ui.helpPath};
    if (!ui.programFolder.empty() && HelpPathIn(ui.programFolder) != ui.helpPath)
        places.push_back(HelpPathIn(ui.programFolder));
    for (const std::string& path : places)
        if (plat::ShowHelp(ui.mainWindow, path)) return;
    std::string text = "No help was found. Pantrium looked for it in:";
    for (const std::string& path : places) text += "\r\n" + FolderOf(path);
    StandardPrompt(text, "Help", 48);
}

}  // namespace pantrium
