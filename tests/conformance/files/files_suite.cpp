// The file access conformance suite: what platform/files.h promises, written
// once and run on every implementation (POSIX natively, Win32 under Wine, 64-
// and 32-bit). Its sections are the header's: path text, existence and size,
// whole files, the list save, ANSI text, first characters. What only one
// system can show is in posix_extra.cpp and win32_extra.cpp beside it.
//
// Every case works in a scratch folder of its own inside the working folder
// (fixture.h), so that all it writes stays there.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "conformance/harness.h"
#include "conformance/files/support.h"
#include "conformance/files/fixture.h"
#include "platform/files.h"

namespace {

using namespace pantrium::files;
using conformance::Check;
using conformance::CheckEq;
using conformance::Info;
using fixture::Join;
using suite::Read;
using suite::Save;
using Names = std::vector<std::string>;

// Folder and file names in four scripts: German, an en dash (in code page
// 1252, not in ISO 8859-1), Russian, Japanese.
const char* const kNames[] = {"Eink\xC3\xA4ufe", "list \xE2\x80\x93 week",
                              "\xD0\xBF\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBF\xD0\xBA\xD0\xB8",
                              "\xE8\xB2\xB7\xE3\x81\x84\xE7\x89\xA9"};

// ---- Path text: UTF-8 in every layer, in any language and of any length ----

CONFORMANCE_CASE("Path text", "folders and lists named in any language") {
    fixture::ScratchFolder scratch;
    for (const char* name : kNames) {
        const std::string folder = name, list = Join(folder, folder + ".ptm"), pdf = Join(folder, folder + ".pdf");
        Check(!Exists(folder), "no folder " + folder + " yet");
        Check(fixture::MakeFolder(folder) && Exists(folder) && IsFolder(folder), "folder " + folder);
        Check(Save(list, "first") == SaveFileResult::Saved && Read(list) == "first", "new list " + list);
        const fixture::Identity before = fixture::IdentityOf(list);
        Check(Save(list, "second, longer") == SaveFileResult::Saved && Read(list) == "second, longer",
              "replaced list " + list);
        Check(before.id != 0 && fixture::IdentityOf(list).id != before.id, "replaced in one step, not rewritten " + list);
        std::uint64_t size = 0;
        Check(Exists(list) && FileSize(list, size) && size == 14, "exists and size " + list);
        CheckEq(fixture::Names(folder), Names{folder + ".ptm"}, "no temporary file beside " + list);
        Check(WriteWholeFile(pdf, "%PDF", 4) && Read(pdf) == "%PDF", "whole file written " + pdf);
        const std::string ini = Join(folder, folder + ".ini");
        std::uint64_t empty = 99;
        Check(CreateEmptyFile(ini) && FileSize(ini, empty) && empty == 0 && !IsFolder(ini), "empty file made " + ini);
    }
    // One name of all four scripts.
    const std::string mixed = Join(kNames[2], std::string(kNames[3]) + " \xE2\x80\x93 " + kNames[0] + ".ptm");
    Check(CreateEmptyFile(mixed) && WriteWholeFile(mixed, "abc", 3) && CreateEmptyFile(mixed) && Read(mixed) == "abc",
          "a name that mixes scripts " + mixed);
}

CONFORMANCE_CASE("Path text", "a name of 255 characters saves") {
    // The longest name a folder entry can have: no room for a longer temporary name.
    fixture::ScratchFolder scratch;
    const std::string name = std::string(251, 'l') + ".ptm";
    Check(WriteWholeFile(name, "old", 3), "the list of a 255-character name is written");
    Check(Save(name, "new") == SaveFileResult::Saved, "saved");
    CheckEq(Read(name), std::string("new"), "the new content is read back");
    CheckEq(fixture::Names("."), Names{name}, "no temporary file beside it");
}

CONFORMANCE_CASE("Path text", "list paths of 253 to 300 characters save") {
    // Around 260 characters (the old Windows limit, MAX_PATH; the old
    // "<list>.saving" passed it at 253) and far beyond, as absolute paths.
    fixture::ScratchFolder scratch;
    const std::string base = CurrentDirectory();
    for (std::size_t length : {253u, 256u, 259u, 300u}) {
        // Two folders deep, so that no single name passes 255 characters.
        const std::string top = "long" + std::to_string(length), folder = Join(top, std::string(40, 'f'));
        fixture::MakeFolder(top);
        fixture::MakeFolder(folder);
        const std::size_t used = base.size() + 1 + folder.size() + 1 + 4;  // separators and ".ptm"
        if (used >= length) {
            Info("the working folder is too deep for a path of " + std::to_string(length));
            continue;
        }
        const std::string list = Join(Join(base, folder), std::string(length - used, 'n') + ".ptm");
        Check(Save(list, "one") == SaveFileResult::Saved && Save(list, "two") == SaveFileResult::Saved &&
                  Read(list) == "two" && fixture::Names(folder).size() == 1,
              "a list path of " + std::to_string(list.size()) + " characters saves");
    }
}

// ---- Exists, IsFolder, FileSize, CurrentDirectory ----

CONFORMANCE_CASE("Existence and size", "files and folders") {
    fixture::ScratchFolder scratch;
    Check(fixture::MakeFolder("folder") && WriteWholeFile("file.ptm", "abc", 3), "a folder and a file are made");
    Check(Exists("folder") && Exists("file.ptm"), "both exist");
    Check(IsFolder("folder") && !IsFolder("file.ptm"), "only the folder is a folder");
    Check(!Exists("missing.ptm") && !IsFolder("missing") && !Exists(""), "nothing else exists, nor the empty path");
    std::uint64_t size = 99;
    Check(FileSize("file.ptm", size) && size == 3, "the file's size is 3");
    Check(CreateEmptyFile("empty.ptm") && FileSize("empty.ptm", size) && size == 0, "an empty file's size is 0");
    Check(!FileSize("folder", size) && !FileSize("missing.ptm", size) && !FileSize("", size),
          "a folder, a missing file and the empty path have no size");
}

CONFORMANCE_CASE("Existence and size", "a symbolic link counts when its target exists") {
    fixture::ScratchFolder scratch;
    WriteWholeFile("real.ptm", "12345", 5);
    if (!fixture::MakeSymbolicLink("real.ptm", "link.ptm") || !fixture::MakeSymbolicLink("gone.ptm", "dangling.ptm")) {
        Info("no symbolic links here: links are not checked");
        return;
    }
    std::uint64_t size = 0;
    Check(Exists("link.ptm") && !IsFolder("link.ptm"), "a link to a file exists");
    Check(FileSize("link.ptm", size) && size == 5, "its size is the target's");
    Check(!Exists("dangling.ptm"), "a link whose target is missing does not");
}

CONFORMANCE_CASE("Existence and size", "the current directory") {
    fixture::ScratchFolder scratch;
    const std::string dir = CurrentDirectory();
    Info("current directory " + dir);
    Check(!dir.empty() && IsFolder(dir), "is a folder");
    Check(dir.size() > scratch.name().size() &&
              dir.compare(dir.size() - scratch.name().size() - 1, std::string::npos,
                          std::string(1, fixture::kSeparator) + scratch.name()) == 0,
          "ends in the working folder's name, without a trailing separator");
    WriteWholeFile("here.ptm", "here", 4);
    CheckEq(Read(Join(dir, "here.ptm")), std::string("here"), "a file made by a relative path is found through it");
}

CONFORMANCE_CASE("Existence and size", "a file's stamp follows writes and replaces") {
    fixture::ScratchFolder scratch;
    fixture::MakeFolder("folder");
    WriteWholeFile("list.ptm", "abc", 3);
    FileStamp first, again;
    Check(FileStatus("list.ptm", first) && first.size == 3, "a file has a stamp with its size");
    Check(FileStatus("list.ptm", again) && again == first, "an untouched file keeps its stamp");
    FileContent content;
    ReadWholeFile("list.ptm", content);
    Check(FileStatus("list.ptm", again) && again == first, "reading it keeps the stamp");
    Check(WriteWholeFile("list.ptm", "abcd", 4) && FileStatus("list.ptm", again) && again.size == 4 && !(again == first),
          "a longer write gives a new stamp");
    FileStamp written = again, replaced;
    Check(Save("list.ptm", "wxyz") == SaveFileResult::Saved && FileStatus("list.ptm", replaced) &&
              replaced.size == 4 && !(replaced == written),
          "a save of as many bytes gives a new stamp");
    FileStamp none;
    Check(!FileStatus("missing.ptm", none) && !FileStatus("folder", none) && !FileStatus("", none),
          "a missing file, a folder and the empty path have no stamp");
    if (fixture::MakeSymbolicLink("list.ptm", "link.ptm")) {
        Check(FileStatus("link.ptm", again) && again == replaced, "a link has its target's stamp");
    } else {
        Info("no symbolic links here: the stamp of a link is not checked");
    }
}

// ---- ReadWholeFile, CreateEmptyFile, WriteWholeFile ----

CONFORMANCE_CASE("Whole files", "reading") {
    fixture::ScratchFolder scratch;
    fixture::MakeFolder("folder");
    WriteWholeFile("list.ptm", "abc", 3);
    FileContent content;
    Check(ReadWholeFile("list.ptm", content) && content.size == 3 &&
              std::string(reinterpret_cast<const char*>(content.bytes.get()), content.size) == "abc",
          "a file is read whole");
    Check(!ReadWholeFile("folder", content), "a folder is not read");
    Check(!ReadWholeFile("missing.ptm", content), "a missing file is not read");
    CheckEq(content.size, std::size_t(0), "the content is empty after a failed read");
    Check(!ReadWholeFile("", content), "the empty path is not read");
    CreateEmptyFile("empty.ptm");
    Check(ReadWholeFile("empty.ptm", content) && content.size == 0, "an empty file reads as empty");
}

CONFORMANCE_CASE("Whole files", "creating an empty file") {
    fixture::ScratchFolder scratch;
    std::uint64_t size = 99;
    Check(CreateEmptyFile("list.ptm") && FileSize("list.ptm", size) && size == 0, "a missing file is made empty");
    WriteWholeFile("list.ptm", "abc", 3);
    Check(CreateEmptyFile("list.ptm"), "true for an existing file");
    CheckEq(Read("list.ptm"), std::string("abc"), "an existing file is not emptied");
    Check(!CreateEmptyFile(Join("missing folder", "x.ptm")), "false in a missing folder");
    Check(!CreateEmptyFile(""), "false for the empty path");
}

CONFORMANCE_CASE("Whole files", "writing") {
    fixture::ScratchFolder scratch;
    fixture::MakeFolder("folder");
    Check(WriteWholeFile("out.pdf", "%PDF-1.4", 8), "a new file is written");
    CheckEq(Read("out.pdf"), std::string("%PDF-1.4"), "it holds the bytes");
    Check(WriteWholeFile("out.pdf", "x", 1), "an existing file is written again");
    CheckEq(Read("out.pdf"), std::string("x"), "emptied first: no stale tail");
    Check(WriteWholeFile("out.pdf", "", 0) && Read("out.pdf").empty(), "no bytes empty it");
    Check(!WriteWholeFile("folder", "x", 1), "a folder is not written");
    Check(!WriteWholeFile(Join("missing folder", "x.pdf"), "x", 1), "a file in a missing folder is not written");
    Check(!WriteWholeFile("", "x", 1), "the empty path is not written");
}

// ---- SaveFile, the list save ----

CONFORMANCE_CASE("SaveFile", "a plain file is replaced in one step") {
    fixture::ScratchFolder scratch;
    Check(Save("new.ptm", "fresh") == SaveFileResult::Saved && Read("new.ptm") == "fresh", "a new list is made");
    WriteWholeFile("list.ptm", "old content, longer than the new one", 36);
    const fixture::Identity before = fixture::IdentityOf("list.ptm");
    Check(Save("list.ptm", "new") == SaveFileResult::Saved, "an existing list is saved");
    CheckEq(Read("list.ptm"), std::string("new"), "it holds the new content only");
    Check(before.id != 0 && fixture::IdentityOf("list.ptm").id != before.id, "replaced in one step, not rewritten");
    CheckEq(fixture::Names("."), (Names{"list.ptm", "new.ptm"}), "no temporary file is left");
}

CONFORMANCE_CASE("SaveFile", "files an earlier run left block nothing") {
    fixture::ScratchFolder scratch;
    // "<list>.saving" (an earlier version's temporary file, read-only here) and
    // folders under the temporary names the implementations use.
    WriteWholeFile("new.ptm.saving", "stale", 5);
    fixture::SetReadOnly("new.ptm.saving", true);
    fixture::MakeFolder(".~ptm00000000.tmp");
    fixture::MakeFolder("~ptm00000000.tmp");
    Check(Save("new.ptm", "fresh") == SaveFileResult::Saved && Read("new.ptm") == "fresh", "a new list is saved");
    Check(Save("new.ptm", "list") == SaveFileResult::Saved && Read("new.ptm") == "list", "and saved again");
    CheckEq(fixture::Names("."), (Names{".~ptm00000000.tmp", "new.ptm", "new.ptm.saving", "~ptm00000000.tmp"}),
            "the old files stay as they were, and no new one is left");
    Check(!fixture::IsReadOnly("new.ptm"), "the saved list is not read-only");
}

CONFORMANCE_CASE("SaveFile", "folders, missing folders and the empty path are not written") {
    fixture::ScratchFolder scratch;
    fixture::MakeFolder("folder.ptm");
    CheckEq(Save("folder.ptm", "x"), SaveFileResult::Failed, "a folder");
    Check(IsFolder("folder.ptm") && fixture::Names("folder.ptm").empty(), "the folder stays empty");
    CheckEq(Save(Join("no such folder", "list.ptm"), "x"), SaveFileResult::Failed, "a list in a missing folder");
    CheckEq(Save("", "x"), SaveFileResult::Failed, "the empty path");
    CheckEq(fixture::Names("."), Names{"folder.ptm"}, "nothing is left");
}

CONFORMANCE_CASE("SaveFile", "a symbolic link is followed and stays a link") {
    fixture::ScratchFolder scratch;
    fixture::MakeFolder("real");
    WriteWholeFile(Join("real", "list.ptm"), "old", 3);
    if (!fixture::MakeSymbolicLink(Join("real", "list.ptm"), "link.ptm")) {
        Info("no symbolic links here: the save through a link is not checked");
        return;
    }
    Check(Save("link.ptm", "through the link") == SaveFileResult::Saved &&
              Read(Join("real", "list.ptm")) == "through the link",
          "a save through a symbolic link reaches the real list");
    Check(fixture::IsSymbolicLink("link.ptm"), "the link stays a link");
    if (fixture::MakeSymbolicLink("link.ptm", "link to link.ptm")) {
        Check(Save("link to link.ptm", "through two links") == SaveFileResult::Saved, "a save through two links");
        Check(fixture::IsSymbolicLink("link.ptm") && fixture::IsSymbolicLink("link to link.ptm"),
              "both links stay links");
        CheckEq(Read(Join("real", "list.ptm")), std::string("through two links"), "the real list holds it");
    }
    CheckEq(fixture::Names("real"), Names{"list.ptm"}, "no temporary file beside the real list");
    CheckEq(fixture::Names("."), (Names{"link to link.ptm", "link.ptm", "real"}), "nor beside the links");
}

CONFORMANCE_CASE("SaveFile", "a link to a file not made yet makes the file") {
    fixture::ScratchFolder scratch;
    fixture::MakeFolder("real");
    if (!fixture::MakeSymbolicLink(Join("real", "later.ptm"), "dangling.ptm")) {
        Info("no symbolic links here: the save through a dangling link is not checked");
        return;
    }
    Check(Save("dangling.ptm", "made") == SaveFileResult::Saved, "saved");
    Check(fixture::IsSymbolicLink("dangling.ptm"), "the link stays a link");
    CheckEq(Read(Join("real", "later.ptm")), std::string("made"), "its target is made");
    // Through a link to a link to a missing file: the last target is made.
    if (fixture::MakeSymbolicLink("second.ptm", "first.ptm") &&
        fixture::MakeSymbolicLink(Join("real", "end.ptm"), "second.ptm")) {
        Check(Save("first.ptm", "end") == SaveFileResult::Saved, "saved through two links");
        Check(fixture::IsSymbolicLink("first.ptm") && fixture::IsSymbolicLink("second.ptm"), "both stay links");
        CheckEq(Read(Join("real", "end.ptm")), std::string("end"), "the last target is made");
    }
    // A link into a missing folder: nothing can be made, the link stays.
    if (fixture::MakeSymbolicLink(Join("no such folder", "list.ptm"), "nowhere.ptm")) {
        CheckEq(Save("nowhere.ptm", "x"), SaveFileResult::Failed, "a link into a missing folder");
        Check(fixture::IsSymbolicLink("nowhere.ptm"), "that link stays a link");
    }
    CheckEq(fixture::Names("real"), (Names{"end.ptm", "later.ptm"}), "no temporary file beside the targets");
}

CONFORMANCE_CASE("Whole files", "a link to a missing file: the file is made empty, the link stays") {
    fixture::ScratchFolder scratch;
    fixture::MakeFolder("real");
    if (!fixture::MakeSymbolicLink(Join("real", "later.ptm"), "dangling.ptm")) {
        Info("no symbolic links here: making a file through a dangling link is not checked");
        return;
    }
    // As the save through the link does: a list opened there starts empty.
    Check(CreateEmptyFile("dangling.ptm"), "true");
    Check(fixture::IsSymbolicLink("dangling.ptm"), "the link stays a link");
    std::uint64_t size = 99;
    Check(FileSize(Join("real", "later.ptm"), size) && size == 0, "its target is made empty");
    WriteWholeFile(Join("real", "later.ptm"), "abc", 3);
    Check(CreateEmptyFile("dangling.ptm"), "true once the target is there");
    CheckEq(Read(Join("real", "later.ptm")), std::string("abc"), "and the target is not emptied");
}

CONFORMANCE_CASE("SaveFile", "hard links: every name keeps the one file") {
    fixture::ScratchFolder scratch;
    WriteWholeFile("a.ptm", "old", 3);
    if (!fixture::MakeHardLink("a.ptm", "b.ptm")) {
        Info("no hard links here: the save of a hard-linked list is not checked");
        return;
    }
    const fixture::Identity before = fixture::IdentityOf("a.ptm");
    Check(Save("a.ptm", "shared") == SaveFileResult::Saved, "saved");
    CheckEq(Read("b.ptm"), std::string("shared"), "the other name sees the new content");
    Check(before.id != 0 && fixture::IdentityOf("a.ptm").id == before.id, "written in place: the same file");
    CheckEq(fixture::IdentityOf("b.ptm").links, 2u, "still two names");
    Check(Save("b.ptm", "s") == SaveFileResult::Saved, "saved through the other name, shorter");
    CheckEq(Read("a.ptm"), std::string("s"), "the rest is cut");
    CheckEq(fixture::Names("."), (Names{"a.ptm", "b.ptm"}), "no temporary file is left");
}

CONFORMANCE_CASE("SaveFile", "a read-only list is told and kept") {
    fixture::ScratchFolder scratch;
    WriteWholeFile("list.ptm", "old", 3);
    Check(fixture::SetReadOnly("list.ptm", true), "the list is made read-only");
    CheckEq(Save("list.ptm", "new"), SaveFileResult::ReadOnly, "a read-only list is told as read-only");
    CheckEq(Read("list.ptm"), std::string("old"), "the read-only list keeps its content");
    Check(fixture::IsReadOnly("list.ptm"), "and stays read-only");
    CheckEq(fixture::Names("."), Names{"list.ptm"}, "no temporary file after the refused save");
    fixture::SetReadOnly("list.ptm", false);
    Check(Save("list.ptm", "new") == SaveFileResult::Saved && Read("list.ptm") == "new",
          "once it may be written again the save works");
}

CONFORMANCE_CASE("SaveFile", "content in blocks is written in order, replaced or in place") {
    fixture::ScratchFolder scratch;
    const std::string head = "head|", body(5000, 'b'), tail = "|tail";
    auto bytes = [](const std::string& text) { return reinterpret_cast<const std::uint8_t*>(text.data()); };
    const ByteBlock blocks[] = {{bytes(head), head.size()}, {nullptr, 0}, {bytes(body), body.size()},
                                {bytes(tail), tail.size()}};
    const std::string old(9000, 'o');
    WriteWholeFile("linked.ptm", old.data(), old.size());
    const bool linked = fixture::MakeHardLink("linked.ptm", "other name.ptm");  // written in place
    if (!linked) Info("no hard links here: blocks are not written in place");
    WriteWholeFile("single.ptm", old.data(), old.size());  // replaced
    for (const std::string name : {"linked.ptm", "single.ptm", "new.ptm"}) {
        Check(SaveFile(name, blocks, 4) == SaveFileResult::Saved && Read(name) == head + body + tail,
              name + ": blocks are written in order");
        Check(SaveFile(name, blocks, 1) == SaveFileResult::Saved && Read(name) == head,
              name + ": a shorter save leaves no stale tail");
    }
    if (linked) CheckEq(Read("other name.ptm"), head, "blocks written in place reach the other name");
    CheckEq(fixture::Names(".").size(), std::size_t(linked ? 4 : 3), "no temporary file is left");
}

// ---- AnsiToPath, PathToAnsi: path text in settings files ----

CONFORMANCE_CASE("ANSI text", "ASCII paths are the same text in ANSI") {
    const std::string path = Join(Join("C:", "Lists"), "week 12 (old).ptm");
    std::string ansi;
    Check(PathToAnsi(path, ansi), "an ASCII path has an ANSI form");
    CheckEq(ansi, path, "the same bytes");
    CheckEq(AnsiToPath(path), path, "and back");
    Check(PathToAnsi("", ansi) && ansi.empty() && AnsiToPath("").empty(), "the empty text stays empty");
}

CONFORMANCE_CASE("ANSI text", "a path that has an ANSI form comes back as it was") {
    for (const char* name : kNames) {
        std::string ansi;
        if (!PathToAnsi(name, ansi)) {
            Info(std::string(name) + " has no form in this ANSI code page");
            continue;
        }
        CheckEq(AnsiToPath(ansi), std::string(name), std::string(name) + " through ANSI and back");
    }
}

// Windows-1252: the code page of list text on Linux and on a Western Windows.
CONFORMANCE_CASE("ANSI text", "code page 1252") {
    const unsigned acp = suite::AnsiCodePage();
    Info("ANSI code page " + std::to_string(acp));
    if (acp != 1252) {
        Info("the ANSI checks need code page 1252");
        return;
    }
    std::string ansi;
    Check(PathToAnsi(kNames[0], ansi) && ansi == "Eink\xE4ufe", "Einkaufe (a umlaut) fits code page 1252");
    Check(PathToAnsi(kNames[1], ansi) && ansi == "list \x96 week", "the en dash fits code page 1252 as 0x96");
    Check(!PathToAnsi(kNames[2], ansi), "Cyrillic does not fit code page 1252");
    Check(!PathToAnsi(kNames[3], ansi), "Japanese does not fit code page 1252");
    CheckEq(AnsiToPath("list \x96 week"), std::string(kNames[1]), "ANSI 0x96 reads as the en dash");
    CheckEq(AnsiToPath("Eink\xE4ufe"), std::string(kNames[0]), "ANSI 0xE4 reads as a umlaut");
}

CONFORMANCE_CASE("ANSI text", "code page 1252: the characters it cannot hold") {
    if (suite::AnsiCodePage() != 1252) {
        Info("the ANSI checks need code page 1252, this is " + std::to_string(suite::AnsiCodePage()));
        return;
    }
    // "Brötchen Хлебб": the o umlaut is held, the Cyrillic letters are not (one twice).
    const std::string bread = "Br\xC3\xB6tchen \xD0\xA5\xD0\xBB\xD0\xB5\xD0\xB1\xD0\xB1";
    const std::vector<std::string> lost = CharactersNotInAnsi(bread);
    CheckEq(lost, std::vector<std::string>({"\xD0\xA5", "\xD0\xBB", "\xD0\xB5", "\xD0\xB1"}),
            "the four Cyrillic letters, in order, each once");
    CheckEq(TextToAnsi(bread), std::string("Br\xF6tchen ?????"), "held as 0xF6 and \"?\"");
    // A best fit would store the Polish L with stroke as L, z with acute as z.
    CheckEq(CharactersNotInAnsi("\xC5\x81\xC3\xB3" "d\xC5\xBA"), std::vector<std::string>({"\xC5\x81", "\xC5\xBA"}),
            "no look-alike counts as held");
    CheckEq(TextToAnsi("\xC5\x81\xC3\xB3" "d\xC5\xBA"), std::string("?\xF3" "d?"), "not even in the text held");
    CheckEq(CharactersNotInAnsi("bread \xF0\x9F\x8D\x9E"), std::vector<std::string>({"\xF0\x9F\x8D\x9E"}),
            "a character beyond 16 bits is one character");
    CheckEq(TextToAnsi("bread \xF0\x9F\x8D\x9E"), std::string("bread ?"), "and one \"?\"");
}

// ---- CharactersNotInAnsi, TextToAnsi: names typed or imported ----

CONFORMANCE_CASE("ANSI text", "what the code page cannot hold is named once and held as \"?\"") {
    for (const char* name : kNames) {
        const std::string text = std::string(name) + " " + name;  // every character twice
        const std::vector<std::string> lost = CharactersNotInAnsi(text);
        std::string ansi;
        const bool fits = PathToAnsi(text, ansi);
        Check(fits == lost.empty(), std::string(name) + ": named characters exactly when there is no ANSI form");
        if (fits) {
            CheckEq(TextToAnsi(text), ansi, std::string(name) + ": held as its ANSI form");
            continue;
        }
        std::string rest = text;  // the text without the named characters holds nothing lost
        for (const std::string& c : lost) {
            Check(text.find(c) != std::string::npos, c + " is a character of " + name);
            for (std::size_t at; (at = rest.find(c)) != std::string::npos;) rest.erase(at, c.size());
        }
        Check(CharactersNotInAnsi(rest).empty(), std::string(name) + ": every lost character is named");
        std::vector<std::string> once = lost;
        std::sort(once.begin(), once.end());
        Check(std::adjacent_find(once.begin(), once.end()) == once.end(), std::string(name) + ": each named once");
        const std::string held = TextToAnsi(text);
        Check(held.find('?') != std::string::npos, std::string(name) + ": \"?\" stands for the lost characters");
        Check(AnsiToPath(held).find(lost.front()) == std::string::npos, std::string(name) + ": none is kept");
    }
    Check(CharactersNotInAnsi("Milk 2% (1 gallon)").empty() && TextToAnsi("Milk 2%") == "Milk 2%",
          "ASCII is held as it is");
    Check(CharactersNotInAnsi("").empty() && TextToAnsi("").empty(), "the empty text");
}

// ---- FirstCharacters ----

CONFORMANCE_CASE("FirstCharacters", "counts characters, never splits one") {
    const std::string mixed = std::string("a") + kNames[0] + kNames[3];  // 1 + 8 + 3 characters
    CheckEq(FirstCharacters("abc", 2), std::string("ab"), "ASCII");
    CheckEq(FirstCharacters("abc", 5), std::string("abc"), "a shorter text stays whole");
    CheckEq(FirstCharacters("abc", 0), std::string(), "none");
    CheckEq(FirstCharacters(mixed, 6), std::string("aEink\xC3\xA4"), "a two-byte character is kept whole");
    CheckEq(FirstCharacters(mixed, 10), std::string("a") + kNames[0] + "\xE8\xB2\xB7", "a three-byte one too");
    CheckEq(FirstCharacters(mixed, 12), mixed, "all characters");
}

}  // namespace

int main(int argc, char** argv) { return conformance::RunAll(argc, argv); }
