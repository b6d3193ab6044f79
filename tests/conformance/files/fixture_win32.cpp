// The file access suite's primitives on Windows: UTF-8 path text converted
// here (not with the implementation's own wide_text.h) and handed to the wide
// API as an absolute \\?\ path, so that paths of any length work.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>

#include "fixture.h"

namespace fixture {

const char kSeparator = '\\';

std::string Join(const std::string& folder, const std::string& name) { return folder + kSeparator + name; }

namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr, nullptr);
    return text;
}

// The path in the \\?\ form, against the current directory.
std::wstring Full(const std::string& path) {
    std::wstring wide = Wide(path);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    if (wide.rfind(L"\\\\?\\", 0) == 0) return wide;
    const DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    const DWORD used = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    if (used == 0 || used >= n) return wide;
    full.resize(used);
    return L"\\\\?\\" + full;
}

// Removes a tree even where a case made files read-only; links are removed,
// never followed.
void RemoveTree(const std::wstring& path) {
    const DWORD attrs = GetFileAttributesW(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    if (!(attrs & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW data;
        HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &data);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
            } while (FindNextFileW(h, &data));
            FindClose(h);
        }
    }
    RemoveDirectoryW(path.c_str());
}

std::wstring CurrentFolder() {
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(n, L'\0');
    const DWORD used = GetCurrentDirectoryW(n, dir.data());
    dir.resize(used < n ? used : 0);
    return dir;
}

}  // namespace

ScratchFolder::ScratchFolder() {
    static int count = 0;
    name_ = "files-scratch-" + std::to_string(++count);
    RemoveTree(Full(name_));  // one an interrupted run left
    CreateDirectoryW(Full(name_).c_str(), nullptr);
    previous_ = Utf8(CurrentFolder());
    SetCurrentDirectoryW(Wide(name_).c_str());
}

ScratchFolder::~ScratchFolder() {
    SetCurrentDirectoryW(Wide(previous_).c_str());
    RemoveTree(Full(name_));
}

bool MakeFolder(const std::string& path) { return CreateDirectoryW(Full(path).c_str(), nullptr) != FALSE; }

bool MakeSymbolicLink(const std::string& target, const std::string& link) {
    std::wstring to = Wide(target);
    std::replace(to.begin(), to.end(), L'/', L'\\');
    // Windows 10's developer mode lets a user without the privilege make links;
    // older systems refuse the flag.
    constexpr DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    if (!CreateSymbolicLinkW(Full(link).c_str(), to.c_str(), kUnprivileged) &&
        !CreateSymbolicLinkW(Full(link).c_str(), to.c_str(), 0))
        return false;
    return IsSymbolicLink(link);
}

bool IsSymbolicLink(const std::string& path) {
    const DWORD attrs = GetFileAttributesW(Full(path).c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool MakeHardLink(const std::string& existing, const std::string& link) {
    return CreateHardLinkW(Full(link).c_str(), Full(existing).c_str(), nullptr) != FALSE;
}

bool SetReadOnly(const std::string& path, bool readOnly) {
    const std::wstring full = Full(path);
    const DWORD attrs = GetFileAttributesW(full.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return false;
    DWORD next = readOnly ? attrs | FILE_ATTRIBUTE_READONLY : attrs & ~DWORD(FILE_ATTRIBUTE_READONLY);
    if (next == 0) next = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesW(full.c_str(), next) != FALSE;
}

bool IsReadOnly(const std::string& path) {
    const DWORD attrs = GetFileAttributesW(Full(path).c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY);
}

Identity IdentityOf(const std::string& path) {
    HANDLE h = CreateFileW(Full(path).c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(h, &info) != FALSE;
    CloseHandle(h);
    if (!ok) return {};
    const unsigned long long index = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return {index ^ (static_cast<unsigned long long>(info.dwVolumeSerialNumber) << 48),
            static_cast<unsigned>(info.nNumberOfLinks)};
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((Full(folder) + L"\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = Utf8(data.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(h, &data));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace fixture
