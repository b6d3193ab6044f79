// File access on Windows: UTF-8 path text converted to UTF-16 and the wide
// API only. Every path is made absolute and given the \\?\ prefix, so that
// paths of any length work (a list path of 259 characters, its temporary
// file beside it). See platform/files.h for what each operation promises.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <aclapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "platform/files.h"
#include "platform/files/read_to_end.h"
#include "platform/files/win32/wide_text.h"

namespace pantrium::files {
namespace {

// A file handle closed when it goes.
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (h_ == INVALID_HANDLE_VALUE) return true;
        BOOL rc = CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return rc != FALSE;
    }

private:
    HANDLE h_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::wstring Widen(UINT codePage, const std::string& text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// usedDefault (may be null) tells whether a character had no form in the code page.
std::string Narrow(UINT codePage, const std::wstring& wide, BOOL* usedDefault) {
    if (wide.empty()) return {};
    // The UTF code pages take neither the flag nor the default-character test.
    const bool utf = codePage == CP_UTF8 || codePage == CP_UTF7;
    const DWORD flags = utf ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL* test = utf ? nullptr : usedDefault;
    int n = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, test);
    std::string text(static_cast<std::size_t>(n), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                            nullptr, test);
    return text;
}

// The path as the wide API takes it whatever its length: absolute (against
// the current directory), with the \\?\ (or \\?\UNC\) prefix.
std::wstring LongPath(const std::string& path) {
    std::wstring wide = ToWide(path);
    if (wide.empty() || wide.rfind(L"\\\\?\\", 0) == 0 || wide.rfind(L"\\\\.\\", 0) == 0) return wide;
    DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return wide;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    if (n == 0 || n >= full.size()) return wide;
    full.resize(n);
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring FolderOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// A short name in the folder that no file has yet ("~ptm" + 8 hex digits).
std::wstring UniqueName(const std::wstring& folder, const wchar_t* extension) {
    static unsigned counter = 0;
    std::uint32_t stamp = (GetTickCount() * 2654435761u) ^ (GetCurrentProcessId() * 40503u) ^ (++counter * 97u);
    std::wstring name = folder + L"\\~ptm";
    for (int shift = 28; shift >= 0; shift -= 4) name += L"0123456789abcdef"[(stamp >> shift) & 15];
    return name + extension;
}

bool WriteAll(HANDLE h, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(h, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

// Writes the blocks one after the other from the current position.
bool WriteBlocks(HANDLE h, const ByteBlock* blocks, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (!WriteAll(h, blocks[i].data, blocks[i].size)) return false;
    return true;
}

bool SeekStart(HANDLE h) {
    LARGE_INTEGER zero{};
    return SetFilePointerEx(h, zero, nullptr, FILE_BEGIN) != FALSE;
}

// Reads from the current position to the end of the file.
bool ReadAll(HANDLE h, FileContent& content) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) >= SIZE_MAX / 2)
        return false;
    return ReadToEnd(static_cast<std::size_t>(size.QuadPart), content,
                     [h](std::uint8_t* buffer, std::size_t room) -> long long {
                         const DWORD chunk = room > (1u << 30) ? (1u << 30) : static_cast<DWORD>(room);
                         DWORD got = 0;
                         return ReadFile(h, buffer, chunk, &got, nullptr) ? static_cast<long long>(got) : -1;
                     });
}

// The file's information through a handle that follows links; false when it
// cannot be opened.
bool InfoOf(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    Handle h(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h.ok() && GetFileInformationByHandle(h.get(), &info);
}

// The real file a symbolic link (or other reparse point) leads to; the path
// itself when it cannot be resolved.
std::wstring FinalPath(const std::wstring& path) {
    Handle h(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.ok()) return path;
    DWORD n = GetFinalPathNameByHandleW(h.get(), nullptr, 0, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) return path;
    std::wstring real(n, L'\0');
    n = GetFinalPathNameByHandleW(h.get(), real.data(), n, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0 || n >= real.size()) return path;
    real.resize(n);
    return real;  // already in the \\?\ form
}

// The owner of a file as its security identifier's bytes; empty when it
// cannot be read.
std::vector<std::uint8_t> OwnerOf(const std::wstring& path) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR security = nullptr;
    std::vector<std::uint8_t> sid;
    if (GetNamedSecurityInfoW(const_cast<wchar_t*>(path.c_str()), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION,
                              &owner, nullptr, nullptr, nullptr, &security) == ERROR_SUCCESS &&
        owner && IsValidSid(owner)) {
        sid.resize(GetLengthSid(owner));
        if (!CopySid(static_cast<DWORD>(sid.size()), sid.data(), owner)) sid.clear();
    }
    if (security) LocalFree(security);
    return sid;
}

bool Present(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Replaces target with a new file holding the bytes. An existing file keeps
// its identity through ReplaceFileW (attributes, security, creation time,
// streams) as long as the new file has the same owner; the temporary file is
// made with normal attributes only. False
// (nothing changed, no temporary file left) when that cannot be done.
bool ReplaceThroughTemp(const std::wstring& target, bool existed, const ByteBlock* blocks,
                        std::size_t count) {
    const std::wstring folder = FolderOf(target);
    std::wstring temp;
    HANDLE raw = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && raw == INVALID_HANDLE_VALUE; ++attempt) {
        temp = UniqueName(folder, L".tmp");
        raw = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (raw == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    Handle h(raw);
    if (!h.ok()) return false;
    bool ok = WriteBlocks(h.get(), blocks, count) && FlushFileBuffers(h.get());
    ok = h.Close() && ok;
    if (ok && existed) {
        // ReplaceFileW keeps the list's security but gives it the new file's
        // owner: another user's list is written in place instead.
        const std::vector<std::uint8_t> owner = OwnerOf(target), made = OwnerOf(temp);
        ok = owner.empty() || made.empty() || owner == made;
    }
    if (ok && !existed) {
        ok = MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
    } else if (ok) {
        // With a backup name every failure leaves each file under a known name.
        const std::wstring backup = UniqueName(folder, L".bak");
        ok = ReplaceFileW(target.c_str(), temp.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                          nullptr, nullptr) != FALSE;
        if (!ok && !Present(target) && Present(backup)) {
            // The old file went to the backup name (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
            // and the new one could not take its place: try once more, else put the old one back.
            ok = MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
            if (!ok) MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        }
        // The old content is dropped only while the list is in its place.
        if (Present(target)) DeleteFileW(backup.c_str());
    }
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

// Writes the bytes over the file itself; the old content, kept in memory
// where it can be read, is written back when the write fails.
SaveFileResult WriteInPlace(const std::wstring& target, bool existed, const ByteBlock* blocks,
                            std::size_t count) {
    const DWORD disposition = existed ? OPEN_EXISTING : OPEN_ALWAYS;
    // A file made here is removed through its handle when the write fails:
    // made through a link, that is the link's new target, never the link.
    const DWORD access = GENERIC_READ | GENERIC_WRITE | (existed ? 0 : DELETE);
    HANDLE raw = CreateFileW(target.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    // A file that may be written but not read is written without a copy.
    if (raw == INVALID_HANDLE_VALUE && existed && GetLastError() == ERROR_ACCESS_DENIED)
        raw = CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    Handle h(raw);
    if (!h.ok())
        return existed && GetLastError() == ERROR_ACCESS_DENIED ? SaveFileResult::ReadOnly
                                                                 : SaveFileResult::Failed;
    FileContent backup;
    const bool haveBackup = existed && ReadAll(h.get(), backup);
    bool ok = SeekStart(h.get()) && WriteBlocks(h.get(), blocks, count) && SetEndOfFile(h.get()) &&
              FlushFileBuffers(h.get());
    if (!ok && haveBackup && SeekStart(h.get()) && WriteAll(h.get(), backup.bytes.get(), backup.size))
        SetEndOfFile(h.get());
    if (!ok && !existed) {
        FILE_DISPOSITION_INFO remove{};
        remove.DeleteFile = TRUE;
        SetFileInformationByHandle(h.get(), FileDispositionInfo, &remove, sizeof remove);
    }
    ok = h.Close() && ok;
    return ok ? SaveFileResult::Saved : SaveFileResult::Failed;
}

}  // namespace

std::wstring ToWide(const std::string& utf8) { return Widen(CP_UTF8, utf8); }

std::string FromWide(const std::wstring& wide) { return Narrow(CP_UTF8, wide, nullptr); }

bool Exists(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data)) return false;
    // The attributes are the link's own: a link counts when its target opens.
    BY_HANDLE_FILE_INFORMATION info;
    return !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || InfoOf(LongPath(path), info);
}

bool IsFolder(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return !path.empty() && GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data) &&
           (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileSize(const std::string& path, std::uint64_t& size) {
    BY_HANDLE_FILE_INFORMATION info;
    if (path.empty() || !InfoOf(LongPath(path), info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return true;
}

bool FileStatus(const std::string& path, FileStamp& stamp) {
    BY_HANDLE_FILE_INFORMATION info;
    if (path.empty() || !InfoOf(LongPath(path), info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.modified = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                               info.ftLastWriteTime.dwLowDateTime);
    stamp.id = ((static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow) ^
               (static_cast<std::uint64_t>(info.dwVolumeSerialNumber) << 40);
    return true;
}

std::string CurrentDirectory() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    if (n == 0) return "";
    std::wstring dir(n, L'\0');
    n = GetCurrentDirectoryW(n, dir.data());
    if (n == 0 || n >= dir.size()) return "";
    dir.resize(n);
    return FromWide(dir);
}

bool ReadWholeFile(const std::string& path, FileContent& content) {
    content = FileContent{};
    if (path.empty()) return false;
    // Another program may have the file open for writing; one that locked it
    // (no read sharing) makes the open fail.
    Handle h(CreateFileW(LongPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.ok() || !ReadAll(h.get(), content)) {
        content = FileContent{};
        return false;
    }
    return true;
}

bool CreateEmptyFile(const std::string& path) {
    if (path.empty()) return false;
    const std::wstring wide = LongPath(path);
    Handle h(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (h.ok()) return true;
    // A link to a missing file makes that file, as a save through it does;
    // opening through the link never empties a file that is there.
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    BY_HANDLE_FILE_INFORMATION info;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && !InfoOf(wide, info)) {
        Handle made(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        return made.ok();
    }
    return Exists(path);
}

bool WriteWholeFile(const std::string& path, const void* data, std::size_t size) {
    if (path.empty()) return false;
    Handle h(CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.ok()) return false;
    bool ok = WriteAll(h.get(), static_cast<const std::uint8_t*>(data), size);
    return h.Close() && ok;
}

SaveFileResult SaveFile(const std::string& path, const ByteBlock* blocks, std::size_t count) {
    if (path.empty()) return SaveFileResult::Failed;
    std::wstring target = LongPath(path);
    WIN32_FILE_ATTRIBUTE_DATA attrs;
    if (!GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &attrs)) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return SaveFileResult::Failed;
        return ReplaceThroughTemp(target, false, blocks, count) ? SaveFileResult::Saved
                                                                : WriteInPlace(target, false, blocks, count);
    }
    if (attrs.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A symbolic link: the real file is saved and the link stays. A link
        // whose target is missing is written through, which creates the target.
        BY_HANDLE_FILE_INFORMATION info;
        if (!InfoOf(target, info)) return WriteInPlace(target, false, blocks, count);
        target = FinalPath(target);
        if (!GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &attrs)) return SaveFileResult::Failed;
    }
    if (attrs.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return SaveFileResult::Failed;
    if (attrs.dwFileAttributes & FILE_ATTRIBUTE_READONLY) return SaveFileResult::ReadOnly;
    // A replace would split a hard-linked file from its other names.
    BY_HANDLE_FILE_INFORMATION info;
    const bool linked = InfoOf(target, info) && info.nNumberOfLinks > 1;
    if (!linked && ReplaceThroughTemp(target, true, blocks, count)) return SaveFileResult::Saved;
    return WriteInPlace(target, true, blocks, count);
}

std::string AnsiToPath(const std::string& ansi) {
    if (GetACP() == CP_UTF8) return ansi;
    return FromWide(Widen(CP_ACP, ansi));
}

bool PathToAnsi(const std::string& path, std::string& ansi) {
    if (GetACP() == CP_UTF8) {
        ansi = path;
        return true;
    }
    const std::wstring wide = ToWide(path);
    BOOL usedDefault = FALSE;
    ansi = Narrow(CP_ACP, wide, &usedDefault);
    // A double-byte code page may hold a character as a different one: check the way back.
    return !usedDefault && Widen(CP_ACP, ansi) == wide;
}

namespace {

// Calls each(character, its ANSI form or "" when it has none) for every
// character of the text (a surrogate pair is one character).
template <typename Each>
void ForEachCharacter(const std::string& text, Each each) {
    const std::wstring wide = ToWide(text);
    for (std::size_t i = 0; i < wide.size();) {
        const std::size_t length =
            IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() && IS_LOW_SURROGATE(wide[i + 1]) ? 2 : 1;
        const std::wstring character = wide.substr(i, length);
        i += length;
        BOOL usedDefault = FALSE;
        const std::string ansi = Narrow(CP_ACP, character, &usedDefault);
        each(character, !usedDefault && Widen(CP_ACP, ansi) == character ? ansi : std::string());
    }
}

}  // namespace

std::vector<std::string> CharactersNotInAnsi(const std::string& text) {
    std::vector<std::string> lost;
    if (GetACP() == CP_UTF8) return lost;
    ForEachCharacter(text, [&lost](const std::wstring& character, const std::string& ansi) {
        if (!ansi.empty()) return;
        const std::string utf8 = FromWide(character);
        if (std::find(lost.begin(), lost.end(), utf8) == lost.end()) lost.push_back(utf8);
    });
    return lost;
}

std::string TextToAnsi(const std::string& text) {
    if (GetACP() == CP_UTF8) return text;
    std::string held;
    ForEachCharacter(text, [&held](const std::wstring&, const std::string& ansi) {
        held += ansi.empty() ? "?" : ansi;
    });
    return held;
}

}  // namespace pantrium::files
