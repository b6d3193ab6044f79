// The file commands of the main window: open, save, save as, merge list, and
// the question before the window closes.
#include <cstdint>

#include "data/item_table.h"
#include "data/list_change.h"
#include "data/list_file.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/dialogs/message_box.h"
#include "ui/main/main_window.h"

namespace pantrium {

namespace {

const char* const kListFilter = "Pantriums (*.ptm)|*.ptm|All Files (*.*)|*.*";
constexpr std::uint32_t kOpenFlags = 0x282404;  // explorer, long names, no read-only box, ask to create
constexpr std::uint32_t kSaveFlags = 0x200006;  // long names, no read-only box, ask to overwrite
constexpr std::uint32_t kMergeFlags = 0x281804;  // explorer, long names, no read-only box, must exist

// Writes the table to listPath. A list another program changed since it was
// loaded or saved is merged first (shared), and the user told of conflicts. A
// failure is told to the user; the table and modified stay as they are.
void WriteList(MainWindowState& ui, bool shared = true) {
    SharedSave save;
    if (shared) {
        const RowPlace place = SelectedPlace(ui);
        save = SaveSharedList();
        if (save.found == DiskChange::NotNow) {
            ui.saveFailed = true;
            StandardPrompt("The list " + itemTable.listPath + " is being written by another program.\r\n" +
                               "The file was not changed; please save again in a moment.",
                           "Save File", 48);
            return;
        }
        if (save.found == DiskChange::Changed) RedrawAtPlace(ui, place);
    } else {
        save.result = SaveList();
    }
    TellMergeConflicts(save.conflicts,
                       "The list was also changed by another program; both changes were kept.\r\n"
                       "These items were changed on both sides; your values were kept:",
                       "Save File");
    switch (save.result) {
    case SaveResult::Saved:
        // A new list's first save gives the window the list's name.
        plat::SetCaption(ui.mainWindow, CaptionForPath(itemTable.listPath));
        break;
    case SaveResult::NeedsPath: plat::SendCommand(ui.mainWindow, kCmdSaveAs); break;
    case SaveResult::ReadOnly:
        ui.saveFailed = true;
        StandardPrompt("The list " + itemTable.listPath + " is read-only.\r\n" +
                           "The file was not changed.",
                       "Save File", 16);
        break;
    case SaveResult::CannotWrite:
        ui.saveFailed = true;
        StandardPrompt("Could not save the list to " + itemTable.listPath + ".\r\n" +
                           "The file was not changed.",
                       "Save File", 16);
        break;
    }
}

// Loads the list at path; on failure the table, listPath and the caption stay.
void LoadListFrom(MainWindowState& ui, const std::string& path) {
    const std::string oldPath = itemTable.listPath;
    itemTable.listPath = path;
    if (LoadList() == LoadResult::Loaded) {
        plat::SetCaption(ui.mainWindow, CaptionForPath(itemTable.listPath));
        RefreshItemList(ui, 1);
        return;
    }
    itemTable.listPath = oldPath;
    StandardPrompt("Could not open the list " + path + ".\r\n" + "The current list was not changed.",
                   "Open File", 16);
}

}  // namespace

void OpenFlow(MainWindowState& ui) {
    CheckListOnDisk(ui);
    if (itemTable.modified &&
        StandardPrompt("Do you want to save the current file?", "Modified File", 36) == 6) {
        ui.saveFailed = false;
        WriteList(ui);
        if (ui.saveFailed) return;  // opening another list now would drop the changes
    }
    std::string path;
    std::uint32_t flags = kOpenFlags;
    OpenFileDialog(ui.mainWindow, "Open File", path, "", kListFilter, "", flags);
    if (!path.empty()) LoadListFrom(ui, path);
}

void SaveFlow(MainWindowState& ui) {
    if (StandardPrompt("Save file now?", "Save File", 36) != 6) return;
    if (!itemTable.listPath.empty())
        WriteList(ui);
    else
        plat::SendCommand(ui.mainWindow, kCmdSaveAs);
}

void SaveAsFlow(MainWindowState& ui) {
    if (itemTable.listPath.empty()) itemTable.listPath = "My pantrium";
    std::string path = itemTable.listPath;
    std::uint32_t flags = kSaveFlags;
    if (!SaveFileDialog(ui.mainWindow, "Save File", path, "", kListFilter, "ptm", flags)) return;
    // Another file the user chose to overwrite is overwritten; the list's own file merges.
    const bool sameFile = path == itemTable.listPath;
    itemTable.listPath = path;
    WriteList(ui, sameFile);
    // The caption names the file that Save now writes to.
    plat::SetCaption(ui.mainWindow, CaptionForPath(itemTable.listPath));
    RefreshItemList(ui, 0);
}

int CloseFlow(MainWindowState& ui) {
    CheckListOnDisk(ui);
    if (!itemTable.modified) return 0;
    const int answer = StandardPrompt("File records have changed...\r\ndo you want to save them?",
                                      "Save File", 35);
    if (answer == 2) return 1;
    if (answer == 6) {
        ui.saveFailed = false;
        if (!itemTable.listPath.empty())
            WriteList(ui);
        else
            plat::SendCommand(ui.mainWindow, kCmdSaveAs);
        if (ui.saveFailed) return 1;  // the user was told; the window stays with its changes
    }
    return 0;
}

void MergeListFlow(MainWindowState& ui) {
    std::string path;
    std::uint32_t flags = kMergeFlags;
    OpenFileDialog(ui.mainWindow, "Merge List", path, "", kListFilter, "", flags);
    if (!path.empty()) MergeFileIntoTable(ui, path);
}

}  // namespace pantrium
