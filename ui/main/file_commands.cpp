// The file commands of the main window: open, save, save as, and the
// question before the window closes.
#include <cstdint>

#include "data/item_table.h"
#include "data/list_file.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/dialogs/message_box.h"
#include "ui/main/main_window.h"

namespace pantrium {

namespace {

const char* const kListFilter = "Pantriums (*.ptm)|*.ptm|All Files (*.*)|*.*";
constexpr std::uint32_t kOpenFlags = 0x282404;  // explorer, long names, no read-only box, ask to create
constexpr std::uint32_t kSaveFlags = 0x200006;  // long names, no read-only box, ask to overwrite

// Set when the last attempt to write the list failed; the close flow then
// keeps the window open so that the changes are not lost.
bool saveFailed = false;

// Writes the table to listPath. A failure is told to the user; the table and
// modified stay as they are.
void WriteList() {
    switch (SaveList()) {
    case SaveResult::Saved: break;
    case SaveResult::NeedsPath: plat::SendCommand(mainWindow, kCmdSaveAs); break;
    case SaveResult::ReadOnly:
        saveFailed = true;
        StandardPrompt("The list " + itemTable.listPath + " is read-only.\r\n" +
                           "The file was not changed.",
                       "Save File", 16);
        break;
    case SaveResult::CannotWrite:
        saveFailed = true;
        StandardPrompt("Could not save the list to " + itemTable.listPath + ".\r\n" +
                           "The file was not changed.",
                       "Save File", 16);
        break;
    }
}

// Loads the list at path; on failure the table, listPath and the caption stay.
void LoadListFrom(const std::string& path) {
    const std::string oldPath = itemTable.listPath;
    itemTable.listPath = path;
    if (LoadList() == LoadResult::Loaded) {
        plat::SetCaption(mainWindow, CaptionForPath(itemTable.listPath));
        RefreshItemList(1);
        return;
    }
    itemTable.listPath = oldPath;
    StandardPrompt("Could not open the list " + path + ".\r\n" + "The current list was not changed.",
                   "Open File", 16);
}

}  // namespace

void OpenFlow() {
    if (itemTable.modified &&
        StandardPrompt("Do you want to save the current file?", "Modified File", 36) == 6) {
        saveFailed = false;
        WriteList();
        if (saveFailed) return;  // opening another list now would drop the changes
    }
    std::string path;
    std::uint32_t flags = kOpenFlags;
    OpenFileDialog(mainWindow, "Open File", path, "", kListFilter, "", flags);
    if (!path.empty()) LoadListFrom(path);
}

void SaveFlow() {
    if (StandardPrompt("Save file now?", "Save File", 36) != 6) return;
    if (!itemTable.listPath.empty())
        WriteList();
    else
        plat::SendCommand(mainWindow, kCmdSaveAs);
}

void SaveAsFlow() {
    if (itemTable.listPath.empty()) itemTable.listPath = "My pantrium";
    std::string path = itemTable.listPath;
    std::uint32_t flags = kSaveFlags;
    if (!SaveFileDialog(mainWindow, "Save File", path, "", kListFilter, "ptm", flags)) return;
    itemTable.listPath = path;
    WriteList();
    RefreshItemList(0);
}

int CloseFlow() {
    if (!itemTable.modified) return 0;
    const int answer = StandardPrompt("File records have changed...\r\ndo you want to save them?",
                                      "Save File", 35);
    if (answer == 2) return 1;
    if (answer == 6) {
        saveFailed = false;
        if (!itemTable.listPath.empty())
            WriteList();
        else
            plat::SendCommand(mainWindow, kCmdSaveAs);
        if (saveFailed) return 1;  // the user was told; the window stays with its changes
    }
    return 0;
}

}  // namespace pantrium
