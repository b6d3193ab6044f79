// What only the Windows file access can show, beside the shared suite: the
// ANSI code page conversions of the settings files, the UTF-16 conversion of
// wide_text.h, paths in the \\?\ form and with forward slashes, a drive path
// as the current directory, and what the system does with a read-only target.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>
#include <vector>

#include "conformance/files/fixture.h"
#include "conformance/files/support.h"
#include "conformance/harness.h"
#include "platform/files.h"
#include "platform/files/win32/wide_text.h"

namespace {

using namespace pantrium::files;
using conformance::Check;
using conformance::CheckEq;
using conformance::Info;
using suite::Read;
using suite::Save;

const char* const kGerman = "Eink\xC3\xA4ufe";
const char* const kDash = "list \xE2\x80\x93 week";
const char* const kRussian = "\xD0\xBF\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBF\xD0\xBA\xD0\xB8";
const char* const kJapanese = "\xE8\xB2\xB7\xE3\x81\x84\xE7\x89\xA9";

CONFORMANCE_CASE("ANSI text", "code page 1252") {
    const UINT acp = GetACP();
    Info("ANSI code page " + std::to_string(acp));
    if (acp != 1252) {
        Info("the ANSI checks need code page 1252");
        return;
    }
    std::string ansi;
    Check(PathToAnsi(kGerman, ansi) && ansi == "Eink\xE4ufe", "Einkaufe (a umlaut) fits code page 1252");
    Check(PathToAnsi(kDash, ansi) && ansi == "list \x96 week", "the en dash fits code page 1252 as 0x96");
    Check(!PathToAnsi(kRussian, ansi), "Cyrillic does not fit code page 1252");
    Check(!PathToAnsi(kJapanese, ansi), "Japanese does not fit code page 1252");
    CheckEq(AnsiToPath("list \x96 week"), std::string(kDash), "ANSI 0x96 reads as the en dash");
    CheckEq(AnsiToPath("Eink\xE4ufe"), std::string(kGerman), "ANSI 0xE4 reads as a umlaut");
}

CONFORMANCE_CASE("ANSI text", "code page 1252: the characters it cannot hold") {
    if (GetACP() != 1252) {
        Info("the ANSI checks need code page 1252, this is " + std::to_string(GetACP()));
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

CONFORMANCE_CASE("Path text", "UTF-8 -> UTF-16 -> UTF-8 keeps the text") {
    for (const char* name : {kGerman, kDash, kRussian, kJapanese})
        CheckEq(FromWide(ToWide(name)), std::string(name), name);
    CheckEq(ToWide(kJapanese), std::wstring(L"\u8cb7\u3044\u7269"), "the UTF-16 form of Japanese");
}

CONFORMANCE_CASE("Path text", "a path in the \\\\?\\ form and one with forward slashes") {
    fixture::ScratchFolder scratch;
    const std::string prefixed = "\\\\?\\" + CurrentDirectory() + "\\prefixed.ptm";
    std::uint64_t size = 0;
    Check(Save(prefixed, "given") == SaveFileResult::Saved && Read("prefixed.ptm") == "given",
          "a list saved through a \\\\?\\ path");
    Check(Exists(prefixed) && !IsFolder(prefixed) && FileSize(prefixed, size) && size == 5 &&
              Read(prefixed) == "given",
          "and found and read through it");
    fixture::MakeFolder("sub");
    Check(Save("sub/list.ptm", "slash") == SaveFileResult::Saved && Read("sub\\list.ptm") == "slash",
          "a list saved through a path with forward slashes");
    Check(IsFolder("sub/") && Exists("sub/list.ptm"), "and found through it");
}

CONFORMANCE_CASE("Whole files", "a file another program locked is not read") {
    fixture::ScratchFolder scratch;
    WriteWholeFile("locked.ptm", "abc", 3);
    // Open without read sharing, as a program that locks its file does.
    HANDLE h = CreateFileW(ToWide(CurrentDirectory() + "\\locked.ptm").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    Check(h != INVALID_HANDLE_VALUE, "the file is locked");
    FileContent content;
    Check(!ReadWholeFile("locked.ptm", content) && content.size == 0, "it is not read, the content is empty");
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    CheckEq(Read("locked.ptm"), std::string("abc"), "once it is closed it is read");
}

CONFORMANCE_CASE("Existence and size", "the current directory is a drive path") {
    const std::string dir = CurrentDirectory();
    Check(dir.size() > 3 && dir[1] == ':' && dir[2] == '\\', "current directory " + dir);
    Check(dir.back() != '\\', "without a trailing backslash");
}

CONFORMANCE_CASE("SaveFile", "what the system does with a read-only target") {
    // Documented: MoveFileEx fails on a read-only target. Wine replaces it: the
    // save must look at the attribute itself, which the suite's read-only case checks.
    fixture::ScratchFolder scratch;
    WriteWholeFile("read-only.ptm", "old", 3);
    WriteWholeFile("probe.tmp", "x", 1);
    fixture::SetReadOnly("read-only.ptm", true);
    const std::wstring here = ToWide(CurrentDirectory() + "\\");
    const bool moved = MoveFileExW((here + L"probe.tmp").c_str(), (here + L"read-only.ptm").c_str(),
                                   MOVEFILE_REPLACE_EXISTING) != FALSE;
    Info(std::string("MoveFileExW over a read-only file ") + (moved ? "succeeded" : "failed") + " (error " +
         std::to_string(moved ? 0 : GetLastError()) + ")");
}

}  // namespace
