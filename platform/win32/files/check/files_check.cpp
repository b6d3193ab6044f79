// Checks of the Windows file access on the real calls (run under Wine or on
// Windows, in an empty working folder): paths in any language, the ANSI
// conversions of the settings files, the list save on a read-only list, with
// a stale temporary file, a hard link, a symbolic link, content in blocks and
// long paths.
// Prints a PASS or FAIL line per check (INFO for what the system cannot
// show) and closes with "N passed, M failed".
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "data/file_access.h"
#include "platform/win32/files/wide_text.h"

namespace {

using namespace pantrium::files;

int passed = 0, failed = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what.c_str());
    std::fflush(stdout);
    (ok ? passed : failed)++;
}

void Info(const std::string& what) {
    std::printf("INFO: %s\n", what.c_str());
    std::fflush(stdout);
}

std::string Read(const std::string& path) {
    FileContent content;
    if (!ReadWholeFile(path, content)) return "<unreadable>";
    return std::string(reinterpret_cast<const char*>(content.bytes.get()), content.size);
}

SaveFileResult Save(const std::string& path, const std::string& text) {
    return SaveFile(path, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// The names in a folder (without "." and "..").
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(ToWide(folder + "\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = FromWide(data.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return names;
}

// The file's identity: a replace gives the name a new file, a write in place keeps it.
unsigned long long FileIndex(const std::string& path) {
    HANDLE h = CreateFileW(ToWide("\\\\?\\" + CurrentDirectory() + "\\" + path).c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = h != INVALID_HANDLE_VALUE && GetFileInformationByHandle(h, &info);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    return ok ? (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow : 0;
}

bool MakeFolder(const std::string& path) {
    return CreateDirectoryW(ToWide("\\\\?\\" + CurrentDirectory() + "\\" + path).c_str(), nullptr) ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

const char* const kNames[] = {"Eink\xC3\xA4ufe", "list \xE2\x80\x93 week",
                              "\xD0\xBF\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBF\xD0\xBA\xD0\xB8",
                              "\xE8\xB2\xB7\xE3\x81\x84\xE7\x89\xA9"};

void AnsiConversions() {
    const UINT acp = GetACP();
    Info("ANSI code page " + std::to_string(acp));
    std::string ansi;
    Check(FromWide(ToWide(kNames[3])) == kNames[3], "UTF-8 -> UTF-16 -> UTF-8 keeps the text");
    if (acp != 1252) {
        Info("the ANSI checks need code page 1252");
        return;
    }
    Check(PathToAnsi(kNames[0], ansi) && ansi == "Eink\xE4ufe", "Einkaufe (a umlaut) fits code page 1252");
    Check(PathToAnsi(kNames[1], ansi) && ansi == "list \x96 week", "the en dash fits code page 1252 as 0x96");
    Check(!PathToAnsi(kNames[2], ansi), "Cyrillic does not fit code page 1252");
    Check(!PathToAnsi(kNames[3], ansi), "Japanese does not fit code page 1252");
    Check(AnsiToPath("list \x96 week") == kNames[1], "ANSI 0x96 reads as the en dash");
}

void PathsInAnyLanguage() {
    for (const char* name : kNames) {
        const std::string folder = name, list = folder + "\\" + name + ".ptm";
        Check(MakeFolder(folder) && IsFolder(folder), "folder " + folder);
        Check(Save(list, "first") == SaveFileResult::Saved && Read(list) == "first", "new list " + list);
        const unsigned long long before = FileIndex(list);
        Check(Save(list, "second, longer") == SaveFileResult::Saved && Read(list) == "second, longer",
              "replaced list " + list);
        Check(before != 0 && FileIndex(list) != before, "replaced in one step, not rewritten " + list);
        std::uint64_t size = 0;
        Check(Exists(list) && FileSize(list, size) && size == 14, "exists and size " + list);
        Check(Names(folder) == std::vector<std::string>{std::string(name) + ".ptm"},
              "no temporary file beside " + list);
        Check(WriteWholeFile(folder + "\\" + name + ".pdf", "%PDF", 4) && Read(folder + "\\" + name + ".pdf") == "%PDF",
              "whole file written " + folder);
    }
    Check(CurrentDirectory().find('\\') != std::string::npos, "current directory " + CurrentDirectory());
}

void ReadOnlyList() {
    const std::string list = "read-only.ptm";
    Save(list, "old");
    const std::wstring wide = ToWide(CurrentDirectory() + "\\" + list);
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY);
    // What the system itself does with a read-only target (documented: MoveFileEx fails).
    WriteWholeFile("probe.tmp", "x", 1);
    const bool moved = MoveFileExW(ToWide(CurrentDirectory() + "\\probe.tmp").c_str(), wide.c_str(),
                                   MOVEFILE_REPLACE_EXISTING);
    Info(std::string("MoveFileExW over a read-only file ") + (moved ? "succeeded" : "failed") +
         " (error " + std::to_string(moved ? 0 : GetLastError()) + ")");
    if (moved) {  // not Windows' behaviour: put the list back
        SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
        Save(list, "old");
        SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY);
    } else {
        DeleteFileW(ToWide(CurrentDirectory() + "\\probe.tmp").c_str());
    }
    Check(Save(list, "new") == SaveFileResult::ReadOnly, "a read-only list is told as read-only");
    Check(Read(list) == "old", "the read-only list keeps its content");
    bool noTemp = true;
    for (const std::string& n : Names(".")) noTemp = noTemp && n.rfind("~ptm", 0) != 0;
    Check(noTemp, "no temporary file after the refused save");
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    Check(Save(list, "new") == SaveFileResult::Saved && Read(list) == "new",
          "after the flag is cleared the save works");

    // A read-only "<list>.saving" left by an earlier version blocks nothing.
    Save("stale.ptm.saving", "stale");
    SetFileAttributesW(ToWide(CurrentDirectory() + "\\stale.ptm.saving").c_str(), FILE_ATTRIBUTE_READONLY);
    Check(Save("stale.ptm", "list") == SaveFileResult::Saved && Read("stale.ptm") == "list",
          "a stale read-only temporary file does not block the save");
    DWORD attrs = GetFileAttributesW(ToWide(CurrentDirectory() + "\\stale.ptm").c_str());
    Check(attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_READONLY), "the saved list is not read-only");
}

void Links() {
    const std::string dir = CurrentDirectory() + "\\";
    Save("a.ptm", "old");
    if (!CreateHardLinkW(ToWide(dir + "b.ptm").c_str(), ToWide(dir + "a.ptm").c_str(), nullptr)) {
        Info("no hard links here (error " + std::to_string(GetLastError()) + ")");
    } else {
        const unsigned long long before = FileIndex("a.ptm");
        Check(Save("a.ptm", "shared") == SaveFileResult::Saved && Read("b.ptm") == "shared" &&
                  FileIndex("a.ptm") == before,
              "a hard-linked list stays linked");
    }
    MakeFolder("real");
    Save("real\\list.ptm", "old");
    // Wine 8 reports success without making the link.
    const BOOLEAN made = CreateSymbolicLinkW(ToWide(dir + "link.ptm").c_str(), ToWide(dir + "real\\list.ptm").c_str(), 0);
    if (!made || GetFileAttributesW(ToWide(dir + "link.ptm").c_str()) == INVALID_FILE_ATTRIBUTES) {
        Info(std::string("no symbolic links here (CreateSymbolicLinkW ") +
             (made ? "reported success but made no link" : "failed") + "): the save through a link is not checked");
        return;
    }
    Check(Save("link.ptm", "through the link") == SaveFileResult::Saved && Read("real\\list.ptm") == "through the link",
          "a save through a symbolic link reaches the real list");
    DWORD attrs = GetFileAttributesW(ToWide(dir + "link.ptm").c_str());
    Check(attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_REPARSE_POINT), "the link stays a link");
}

void LongPaths() {
    // List paths of 253 to 259 characters (the old "<list>.saving" passed 259)
    // and one far beyond MAX_PATH.
    const std::string base = CurrentDirectory() + "\\";
    for (std::size_t length : {253u, 256u, 259u, 300u}) {
        // Two folders deep, so that no single name passes 255 characters.
        const std::string folder = "long" + std::to_string(length) + "\\" + std::string(40, 'f');
        MakeFolder("long" + std::to_string(length));
        MakeFolder(folder);
        const std::size_t used = base.size() + folder.size() + 1 + 4;  // + "\" and ".ptm"
        if (used >= length) {
            Info("the working folder is too deep for a path of " + std::to_string(length));
            continue;
        }
        const std::string list = base + folder + "\\" + std::string(length - used, 'n') + ".ptm";
        Check(Save(list, "one") == SaveFileResult::Saved && Save(list, "two") == SaveFileResult::Saved &&
                  Read(list) == "two" && Names(folder).size() == 1,
              "a list path of " + std::to_string(list.size()) + " characters saves");
    }
}

// Content given as several blocks lands in order, replaced or written in place.
void ContentInBlocks() {
    const std::string head = "head|", body(5000, 'b'), tail = "|tail";
    auto bytes = [](const std::string& text) { return reinterpret_cast<const std::uint8_t*>(text.data()); };
    const ByteBlock blocks[] = {{bytes(head), head.size()}, {nullptr, 0}, {bytes(body), body.size()},
                                {bytes(tail), tail.size()}};
    const std::string dir = CurrentDirectory() + "\\";
    Save("blocks.ptm", std::string(9000, 'o'));
    const bool linked = CreateHardLinkW(ToWide(dir + "blocks link.ptm").c_str(), ToWide(dir + "blocks.ptm").c_str(),
                                        nullptr) != FALSE;
    for (const char* name : {"blocks.ptm", "blocks new.ptm"}) {
        Check(SaveFile(name, blocks, 4) == SaveFileResult::Saved && Read(name) == head + body + tail,
              std::string(name) + ": blocks are written in order");
        Check(SaveFile(name, blocks, 1) == SaveFileResult::Saved && Read(name) == head,
              std::string(name) + ": a shorter save leaves no stale tail");
    }
    if (linked) Check(Read("blocks link.ptm") == head, "blocks written in place reach the other link");
}

}  // namespace

int main() {
    AnsiConversions();
    PathsInAnyLanguage();
    ReadOnlyList();
    Links();
    ContentInBlocks();
    LongPaths();
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
