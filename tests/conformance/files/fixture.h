// The few test-side primitives of the file access suite that differ per
// system (fixture_posix.cpp, fixture_win32.cpp): they make what the suite
// needs and look at what a save left, through the system's own calls, never
// through platform/files.h. Paths are UTF-8 text, as in the header.
#pragma once

#include <string>
#include <vector>

namespace fixture {

// The separator between a folder and a name on this system.
extern const char kSeparator;
std::string Join(const std::string& folder, const std::string& name);

// A fresh, empty folder inside the working folder, the current directory while
// it lives (every case works in one); removed with all it holds when it goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // Its name inside the working folder.
    const std::string& name() const { return name_; }

private:
    std::string name_, previous_;
};

bool MakeFolder(const std::string& path);
// A symbolic link at link to target (relative targets count from the link's
// folder). False when the system makes none (Wine 8 reports success without
// making one; that is caught).
bool MakeSymbolicLink(const std::string& target, const std::string& link);
bool IsSymbolicLink(const std::string& path);  // the link itself, not its target
bool MakeHardLink(const std::string& existing, const std::string& link);

// Read-only: no write permission for anyone (POSIX), the read-only attribute
// (Windows); false undoes it.
bool SetReadOnly(const std::string& path, bool readOnly);
bool IsReadOnly(const std::string& path);

// A file's identity, through links: a replace gives the name a new file, a
// write in place keeps it. id 0 when there is no such file.
struct Identity {
    unsigned long long id = 0;
    unsigned links = 0;  // the file's names (hard links)
};
Identity IdentityOf(const std::string& path);

// The names in a folder, sorted, without "." and "..": what a save left.
std::vector<std::string> Names(const std::string& folder);

}  // namespace fixture
