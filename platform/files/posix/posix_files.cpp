// File access on POSIX systems (Linux): path text goes to the system as its
// bytes. See platform/files.h for what each operation promises.
#include "platform/files.h"
#include "platform/files/read_to_end.h"
#include "platform/files/windows_1252.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/xattr.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <vector>

namespace pantrium::files {
namespace {

// A file descriptor closed when it goes.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    // False when closing reported an error (a delayed write error).
    bool Close() {
        if (fd_ < 0) return true;
        int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

private:
    int fd_;
};

bool WriteAllAt(int fd, const std::uint8_t* data, std::size_t size, off_t offset) {
    while (size > 0) {
        ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

// Writes the blocks one after the other from the start of the file. On Linux
// the disk starts on each written stretch at once, so that the fsync that
// follows waits for little more than the last one (a write error shows there).
bool WriteBlocks(int fd, const ByteBlock* blocks, std::size_t count) {
    constexpr std::size_t kStretch = std::size_t(1) << 22;
    off_t offset = 0;
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t done = 0; done < blocks[i].size;) {
            const std::size_t len = std::min(kStretch, blocks[i].size - done);
            if (!WriteAllAt(fd, blocks[i].data + done, len, offset)) return false;
#ifdef __linux__
            ::sync_file_range(fd, offset, static_cast<off_t>(len), SYNC_FILE_RANGE_WRITE);
#endif
            done += len;
            offset += static_cast<off_t>(len);
        }
    }
    return true;
}

std::size_t TotalSize(const ByteBlock* blocks, std::size_t count) {
    std::size_t size = 0;
    for (std::size_t i = 0; i < count; ++i) size += blocks[i].size;
    return size;
}

// Reads from fd until its end; expected is the size the file claims.
bool ReadAll(int fd, std::size_t expected, FileContent& content) {
    return ReadToEnd(expected, content, [fd](std::uint8_t* buffer, std::size_t room) -> long long {
        for (;;) {
            const ssize_t n = ::read(fd, buffer, room);
            if (n < 0 && errno == EINTR) continue;
            return n;
        }
    });
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Where a chain of symbolic links at path ends when its last target is
// missing: the path of the file to make for it. False when path is no such
// link (no link, a link to an existing file, a loop, an unreadable link).
bool MissingLinkTarget(const std::string& path, std::string& end) {
    std::string at = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(at.c_str(), &st) != 0) {
            end = at;
            return hops > 0 && errno == ENOENT;
        }
        if (!S_ISLNK(st.st_mode)) return false;
        std::vector<char> target(static_cast<std::size_t>(st.st_size) + 256);
        const ssize_t n = ::readlink(at.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return false;
        const std::string to(target.data(), static_cast<std::size_t>(n));
        at = to.front() == '/' ? to : FolderOf(at) + "/" + to;
    }
    return false;
}

// A short name that no other file in the folder has yet, created empty.
int CreateTempBeside(const std::string& target, std::string& temp) {
    static unsigned counter = 0;
    const std::string folder = FolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned long long stamp = static_cast<unsigned long long>(::getpid()) * 1000003ull +
                                   static_cast<unsigned long long>(::time(nullptr)) * 7919ull +
                                   ++counter * 104729ull;
        char name[32];
        std::snprintf(name, sizeof name, "/.~ptm%08llx.tmp", stamp & 0xFFFFFFFFull);
        temp = folder + name;
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool MayNotWrite(const std::string& path, const struct stat& st) {
    // A file nobody may write counts as read-only even for the superuser.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    return ::access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS || errno == EPERM);
}

// Gives the new file the extended attributes of the old one (access control
// lists, security labels, the user's own). False when one cannot be copied:
// a replace would lose it.
bool CopyExtendedAttributes(const std::string& from, int to) {
#ifdef __linux__
    ssize_t length = ::listxattr(from.c_str(), nullptr, 0);
    if (length < 0) return errno == ENOTSUP;  // the file system has none
    std::vector<char> names(static_cast<std::size_t>(length) + 1, '\0');
    length = ::listxattr(from.c_str(), names.data(), names.size() - 1);
    if (length < 0) return false;
    for (const char* name = names.data(); name < names.data() + length; name += std::strlen(name) + 1) {
        ssize_t size = ::getxattr(from.c_str(), name, nullptr, 0);
        if (size < 0) return false;
        std::vector<char> value(static_cast<std::size_t>(size) + 1);
        size = ::getxattr(from.c_str(), name, value.data(), value.size() - 1);
        if (size < 0 || ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(size), 0) != 0) return false;
    }
#else
    (void)from;
    (void)to;
#endif
    return true;
}

// Replaces target with a new file holding the bytes; the new file takes the
// old one's owner, group, permissions and extended attributes. False (and
// nothing changed, no temporary file left) when that cannot be done.
bool ReplaceThroughTemp(const std::string& target, const struct stat* old, const ByteBlock* blocks,
                        std::size_t count) {
    std::string temp;
    Fd fd(CreateTempBeside(target, temp));
    if (!fd.ok()) return false;
    bool ok = true;
    if (old) {
        struct stat made;
        ok = ::fstat(fd.get(), &made) == 0;
        // Owner first: chown may clear the set-id bits that chmod then restores.
        if (ok && (made.st_uid != old->st_uid || made.st_gid != old->st_gid))
            ok = ::fchown(fd.get(), old->st_uid, old->st_gid) == 0;
        if (ok) ok = ::fchmod(fd.get(), old->st_mode & 07777) == 0;
        if (ok) ok = CopyExtendedAttributes(target, fd.get());
    }
    ok = ok && WriteBlocks(fd.get(), blocks, count) && ::fsync(fd.get()) == 0;
    ok = fd.Close() && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    Fd folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.ok()) ::fsync(folder.get());
    return true;
}

// Writes the bytes over the file itself; the old content, kept in memory
// where it can be read, is written back when the write fails.
SaveFileResult WriteInPlace(const std::string& target, bool existed, const ByteBlock* blocks,
                            std::size_t count) {
    int raw = ::open(target.c_str(), O_RDWR | O_CLOEXEC | (existed ? 0 : O_CREAT), 0666);
    // A file that may be written but not read is written without a copy.
    if (raw < 0 && existed && errno == EACCES) raw = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    Fd fd(raw);
    if (!fd.ok()) {
        return existed && (errno == EACCES || errno == EROFS || errno == EPERM) ? SaveFileResult::ReadOnly
                                                                              : SaveFileResult::Failed;
    }
    FileContent backup;
    struct stat st;
    bool haveBackup = existed && ::fstat(fd.get(), &st) == 0 &&
                      ReadAll(fd.get(), static_cast<std::size_t>(st.st_size), backup);
    const std::size_t size = TotalSize(blocks, count);
    bool ok = WriteBlocks(fd.get(), blocks, count) && ::ftruncate(fd.get(), static_cast<off_t>(size)) == 0 &&
              ::fsync(fd.get()) == 0;
    if (!ok && haveBackup) {
        WriteAllAt(fd.get(), backup.bytes.get(), backup.size, 0);
        if (::ftruncate(fd.get(), static_cast<off_t>(backup.size)) == 0) ::fsync(fd.get());
    }
    ok = fd.Close() && ok;
    if (!ok && !existed) ::unlink(target.c_str());
    return ok ? SaveFileResult::Saved : SaveFileResult::Failed;
}

}  // namespace

bool Exists(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool IsFolder(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileSize(const std::string& path, std::uint64_t& size) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

bool FileStatus(const std::string& path, FileStamp& stamp) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    stamp.size = static_cast<std::uint64_t>(st.st_size);
    stamp.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.id = static_cast<std::uint64_t>(st.st_ino) ^ (static_cast<std::uint64_t>(st.st_dev) << 48);
    return true;
}

std::string CurrentDirectory() {
    std::vector<char> buffer(256);
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size())) return buffer.data();
        if (errno != ERANGE || buffer.size() > (1u << 20)) return "";
        buffer.resize(buffer.size() * 2);
    }
}

bool ReadWholeFile(const std::string& path, FileContent& content) {
    content = FileContent{};
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (!fd.ok() || ::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    std::size_t expected = S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) : 0;
    if (!ReadAll(fd.get(), expected, content)) {
        content = FileContent{};
        return false;
    }
    return true;
}

bool CreateEmptyFile(const std::string& path) {
    // A link to a missing file makes that file, as a save through it does.
    std::string target = path;
    if (!MissingLinkTarget(path, target)) target = path;
    Fd fd(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    return fd.ok() || Exists(path);
}

bool WriteWholeFile(const std::string& path, const void* data, std::size_t size) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!fd.ok()) return false;
    bool ok = WriteAllAt(fd.get(), static_cast<const std::uint8_t*>(data), size, 0);
    return fd.Close() && ok;
}

SaveFileResult SaveFile(const std::string& path, const ByteBlock* blocks, std::size_t count) {
    if (path.empty()) return SaveFileResult::Failed;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return SaveFileResult::Failed;
        // A link to a file not made yet: the file is made where the link
        // leads, and the link stays; a failed save leaves both as they were.
        std::string target = path;
        if (!MissingLinkTarget(path, target)) {
            struct stat link;
            if (::lstat(path.c_str(), &link) == 0) return SaveFileResult::Failed;  // a link that leads nowhere
            target = path;
        }
        return ReplaceThroughTemp(target, nullptr, blocks, count) ? SaveFileResult::Saved
                                                                  : WriteInPlace(target, false, blocks, count);
    }
    if (!S_ISREG(st.st_mode)) return SaveFileResult::Failed;
    // Symbolic links are followed to the real file; the links stay as they are.
    std::string target = path;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    if (MayNotWrite(target, st)) return SaveFileResult::ReadOnly;
    // A replace would split a hard-linked file from its other names.
    if (st.st_nlink <= 1 && ReplaceThroughTemp(target, &st, blocks, count)) return SaveFileResult::Saved;
    return WriteInPlace(target, true, blocks, count);
}

// ANSI text is Windows-1252 here, as on the Windows PCs a list may be shared
// with. Earlier Linux versions kept UTF-8 in list and settings files: a text
// that is well-formed UTF-8 beyond ASCII is read as such (Windows-1252 text of
// real words is never that).
std::string AnsiToPath(const std::string& ansi) {
    return cp1252::IsUtf8BeyondAscii(ansi) ? ansi : cp1252::ToUtf8(ansi);
}

bool PathToAnsi(const std::string& path, std::string& ansi) {
    std::vector<std::string> lost;
    ansi = cp1252::FromUtf8(path, &lost);
    return lost.empty();
}

std::vector<std::string> CharactersNotInAnsi(const std::string& text) {
    std::vector<std::string> lost;
    cp1252::FromUtf8(text, &lost);
    return lost;
}

std::string TextToAnsi(const std::string& text) { return cp1252::FromUtf8(text); }

}  // namespace pantrium::files
