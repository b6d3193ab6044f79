// The file access suite's primitives on POSIX systems (Linux): path text is
// the bytes the system takes.
#include "fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fixture {

namespace fs = std::filesystem;

const char kSeparator = '/';

std::string Join(const std::string& folder, const std::string& name) { return folder + kSeparator + name; }

namespace {

// Removes a tree even where a case took away write or search permission.
void RemoveTree(const fs::path& path) {
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(path, ec))) {
        ::chmod(path.c_str(), 0700);
        for (const auto& entry : fs::directory_iterator(path, ec)) RemoveTree(entry.path());
    }
    fs::remove(path, ec);
}

}  // namespace

ScratchFolder::ScratchFolder() {
    static int count = 0;
    name_ = "files-scratch-" + std::to_string(++count);
    RemoveTree(name_);  // one an interrupted run left
    fs::create_directory(name_);
    previous_ = fs::current_path().string();
    fs::current_path(name_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::current_path(previous_, ec);
    RemoveTree(name_);
}

bool MakeFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool MakeSymbolicLink(const std::string& target, const std::string& link) {
    return ::symlink(target.c_str(), link.c_str()) == 0;
}

bool IsSymbolicLink(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool MakeHardLink(const std::string& existing, const std::string& link) {
    return ::link(existing.c_str(), link.c_str()) == 0;
}

bool SetReadOnly(const std::string& path, bool readOnly) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    const mode_t mode = readOnly ? st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH) : st.st_mode | S_IWUSR;
    return ::chmod(path.c_str(), mode & 07777) == 0;
}

bool IsReadOnly(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

Identity IdentityOf(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return {};
    // The inode number is never 0 for a file; the device keeps two file systems apart.
    return {static_cast<unsigned long long>(st.st_ino) ^ (static_cast<unsigned long long>(st.st_dev) << 48),
            static_cast<unsigned>(st.st_nlink)};
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace fixture
