// "Export CSV..." and "Import CSV..." of the File menu: the table as a CSV
// file for spreadsheets, and such a file merged into the table after the
// user has seen what it would change.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/csv_table.h"
#include "data/item_table.h"
#include "platform/files.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/dialogs/message_box.h"
#include "ui/main/main_window.h"

namespace pantrium {

namespace {

const char* const kCsvFilter = "CSV files (*.csv)|*.csv|All Files (*.*)|*.*";
constexpr std::uint32_t kExportFlags = 0x200006;  // long names, no read-only box, ask to overwrite
constexpr std::uint32_t kImportFlags = 0x281804;  // explorer, long names, no read-only box, must exist
constexpr std::size_t kMaxNoteLines = 8;          // per list in a summary; more would not fit the screen

// Whether UTF-8 text has a form in the ANSI code page of the list's names;
// ansi receives it, with "?" for each character that has none (never a look-alike).
bool TextFitsAnsi(const std::string& utf8, std::string& ansi) {
    ansi = files::TextToAnsi(utf8);
    return files::CharactersNotInAnsi(utf8).empty();
}

CsvTextCoding SystemCoding() { return {files::AnsiToPath, TextFitsAnsi}; }

// The list's file name with ".csv" in place of its extension.
std::string ProposedCsvName() {
    std::string name = itemTable.listPath.empty() ? "My pantrium" : itemTable.listPath;
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of("\\/");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) name.erase(dot);
    return name + ".csv";
}

std::string Plural(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The first lines of notes, and how many more there are.
std::string NoteLines(const std::vector<CsvNote>& notes) {
    std::string text;
    for (std::size_t i = 0; i < notes.size() && i < kMaxNoteLines; ++i) text += "\r\n" + notes[i].text;
    if (notes.size() > kMaxNoteLines) text += "\r\n... and " + std::to_string(notes.size() - kMaxNoteLines) + " more";
    return text;
}

std::string SkippedText(const std::vector<CsvNote>& skipped) {
    if (skipped.empty()) return "";
    return "\r\n\r\n" + Plural(static_cast<int>(skipped.size()), "row", "rows") + " skipped:" +
           NoteLines(skipped);
}

std::string Summary(const std::string& path, const CsvFile& file, const CsvImportCounts& counts) {
    std::string text = "Import from " + path + ":\r\n\r\n" + Plural(counts.added, "new item", "new items") + ", " +
                       Plural(counts.changed, "item", "items") + " changed";
    if (counts.unchanged) text += ", " + std::to_string(counts.unchanged) + " unchanged";
    if (counts.newCategories) text += "\r\n" + Plural(counts.newCategories, "new category", "new categories");
    text += SkippedText(counts.skipped);
    if (!file.replaced.empty())
        text += "\r\n\r\nLetters the list cannot hold will be replaced by \"?\" in:" + NoteLines(file.replaced);
    return text + "\r\n\r\nImport now?";
}

}  // namespace

void ExportCsvFlow(MainWindowState& ui) {
    std::string path = ProposedCsvName();
    std::uint32_t flags = kExportFlags;
    if (!SaveFileDialog(ui.mainWindow, "Export CSV", path, "", kCsvFilter, "csv", flags)) return;
    const std::string csv = TableToCsv(itemTable, SystemCoding());
    switch (files::SaveFile(path, reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size())) {
    case files::SaveFileResult::Saved: break;
    case files::SaveFileResult::ReadOnly:
        StandardPrompt("The file " + path + " is read-only.\r\nNothing was exported.", "Export CSV", 16);
        break;
    case files::SaveFileResult::Failed:
        StandardPrompt("Could not write " + path + ".\r\nNothing was exported.", "Export CSV", 16);
        break;
    }
}

void ImportCsvFlow(MainWindowState& ui) {
    std::string path;
    std::uint32_t flags = kImportFlags;
    OpenFileDialog(ui.mainWindow, "Import CSV", path, "", kCsvFilter, "", flags);
    if (path.empty()) return;
    files::FileContent content;
    if (!files::ReadWholeFile(path, content)) {
        StandardPrompt("Could not read " + path + ".\r\nThe list was not changed.", "Import CSV", 16);
        return;
    }
    const CsvTextCoding coding = SystemCoding();
    const CsvFile file =
        ParseCsv(std::string_view(reinterpret_cast<const char*>(content.bytes.get()), content.size), coding);
    if (!file.problem.empty()) {
        StandardPrompt(path + " cannot be imported: " + file.problem + ".\r\nThe list was not changed.",
                       "Import CSV", 48);
        return;
    }
    const CsvImportCounts plan = PlanCsvImport(itemTable, file);
    if (plan.added + plan.changed == 0) {
        const std::string what = plan.unchanged
                                     ? "The list already holds every item of " + path + " as it is in the file."
                                     : "No row of " + path + " can be imported.";
        StandardPrompt(what + SkippedText(plan.skipped) + "\r\n\r\nThe list was not changed.", "Import CSV",
                       plan.skipped.empty() ? 64 : 48);
        return;
    }
    if (StandardPrompt(Summary(path, file, plan), "Import CSV", 33) != 1) return;
    // The prompt leaves the main window usable: the table may have changed meanwhile, so the
    // rows are matched again.
    const RowPlace place = SelectedPlace(ui);
    ApplyCsvImport(itemTable, file);
    RedrawAtPlace(ui, place);
}

}  // namespace pantrium
