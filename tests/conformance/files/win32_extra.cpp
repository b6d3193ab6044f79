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

}  // namespace

unsigned suite::AnsiCodePage() { return GetACP(); }

namespace {

const char* const kGerman = "Eink\xC3\xA4ufe";
const char* const kDash = "list \xE2\x80\x93 week";
const char* const kRussian = "\xD0\xBF\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBF\xD0\xBA\xD0\xB8";
const char* const kJapanese = "\xE8\xB2\xB7\xE3\x81\x84\xE7\x89\xA9";

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
