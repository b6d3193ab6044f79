// What only the POSIX file access can show, beside the shared suite: the
// replace keeps permissions, extended attributes, owner and group; a folder
// that takes no temporary file and another user's list (run as "nobody" in a
// child process); failed writes (a file size limit); UTF-8 kept by earlier
// versions.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "conformance/files/fixture.h"
#include "conformance/files/support.h"
#include "conformance/harness.h"
#include "platform/files.h"

unsigned suite::AnsiCodePage() { return 1252; }  // list text is Windows-1252 here

namespace {

using namespace pantrium::files;
using conformance::Check;
using conformance::CheckEq;
using conformance::Info;
using suite::Read;
using suite::Save;
using Names = std::vector<std::string>;

constexpr uid_t kNobody = 65534;

// Runs fn in a child process, as the unprivileged user "nobody" when the suite
// runs as the superuser (whom permissions do not stop); fn's result comes back.
int InChild(bool unprivileged, const std::function<int()>& fn) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (unprivileged && geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(99);
        _exit(fn());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

// fn in a child process in which no file may grow beyond 1000 bytes; its result.
int WithSizeLimit(const std::function<int()>& fn) {
    return InChild(false, [&fn] {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        return fn();
    });
}

int AsNobody(const std::string& path, const std::string& text) {
    return InChild(true, [&] { return static_cast<int>(Save(path, text)); });
}

struct stat Stat(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

CONFORMANCE_CASE("SaveFile", "a replace keeps the permissions") {
    fixture::ScratchFolder scratch;
    WriteWholeFile("list.ptm", "old", 3);
    ::chmod("list.ptm", 0640);
    const ino_t before = Stat("list.ptm").st_ino;
    Check(Save("list.ptm", "new") == SaveFileResult::Saved && Read("list.ptm") == "new", "saved");
    Check(Stat("list.ptm").st_ino != before, "replaced in one step");
    CheckEq(Stat("list.ptm").st_mode & 07777, mode_t(0640), "the permissions stay 0640");
}

CONFORMANCE_CASE("SaveFile", "extended attributes survive the replace") {
    fixture::ScratchFolder scratch;
    WriteWholeFile("list.ptm", "old", 3);
    if (::setxattr("list.ptm", "user.pantrium", "kept", 4, 0) != 0) {
        Info("this file system takes no user attributes: not checked");
        return;
    }
    const ino_t before = Stat("list.ptm").st_ino;
    Check(Save("list.ptm", "new") == SaveFileResult::Saved, "saved");
    Check(Stat("list.ptm").st_ino != before, "replaced in one step");
    char value[8] = {};
    Check(::getxattr("list.ptm", "user.pantrium", value, sizeof value) == 4 && std::strcmp(value, "kept") == 0,
          "the attribute is kept");
}

CONFORMANCE_CASE("SaveFile", "a folder that takes no temporary file: written in place") {
    fixture::ScratchFolder scratch;
    fixture::MakeFolder("shelf");
    WriteWholeFile("shelf/list.ptm", "old content", 11);
    ::chmod("shelf/list.ptm", 0777);  // the list may be written by anyone
    ::chmod("shelf", 0511);           // the folder by no one but the superuser
    const ino_t inode = Stat("shelf/list.ptm").st_ino;
    CheckEq(AsNobody("shelf/list.ptm", "new"), static_cast<int>(SaveFileResult::Saved), "saved");
    CheckEq(Read("shelf/list.ptm"), std::string("new"), "the list holds the new content");
    CheckEq(Stat("shelf/list.ptm").st_ino, inode, "written in place: the same file");
    CheckEq(fixture::Names("shelf"), Names{"list.ptm"}, "no temporary file is left");
    ::chmod("shelf", 0755);
}

CONFORMANCE_CASE("SaveFile", "owner and group are kept, other users' lists are read-only") {
    if (geteuid() != 0) {
        Info("needs files of two users: run as root to check");
        return;
    }
    fixture::ScratchFolder scratch;
    // Writable for its owner only: read-only for anyone else.
    WriteWholeFile("mine.ptm", "old", 3);
    ::chmod("mine.ptm", 0644);
    CheckEq(AsNobody("mine.ptm", "new"), static_cast<int>(SaveFileResult::ReadOnly),
            "another user's list is read-only");
    CheckEq(Read("mine.ptm"), std::string("old"), "and keeps its content");

    // The superuser saves a list of another user: the replace takes its owner.
    WriteWholeFile("theirs.ptm", "old", 3);
    Check(::chown("theirs.ptm", kNobody, kNobody) == 0, "a list of nobody's");
    Check(Save("theirs.ptm", "new") == SaveFileResult::Saved && Read("theirs.ptm") == "new", "saved by root");
    CheckEq(Stat("theirs.ptm").st_uid, kNobody, "the owner is kept");
    CheckEq(Stat("theirs.ptm").st_gid, gid_t(kNobody), "the group is kept");

    // A user who may write another's list in a shared folder but cannot give a
    // new file that owner: written in place, the owner stays.
    fixture::MakeFolder("shared");
    ::chmod("shared", 0777);
    WriteWholeFile("shared/list.ptm", "old", 3);
    ::chmod("shared/list.ptm", 0777);
    CheckEq(AsNobody("shared/list.ptm", "new"), static_cast<int>(SaveFileResult::Saved),
            "root's list in a shared folder saved by nobody");
    CheckEq(Read("shared/list.ptm"), std::string("new"), "it holds the new content");
    CheckEq(Stat("shared/list.ptm").st_uid, uid_t(0), "its owner stays root");
    CheckEq(fixture::Names("."), (Names{"mine.ptm", "shared", "theirs.ptm"}), "no temporary file is left");
    CheckEq(fixture::Names("shared"), Names{"list.ptm"}, "nor in the shared folder");
}

CONFORMANCE_CASE("SaveFile", "a failed write keeps the old content and leaves no temporary file") {
    fixture::ScratchFolder scratch;
    const std::string old(300, 'o');
    WriteWholeFile("list.ptm", old.data(), old.size());
    fixture::MakeHardLink("list.ptm", "other name.ptm");   // written in place
    WriteWholeFile("single.ptm", old.data(), old.size());  // replaced through a temporary file
    for (const std::string name : {"list.ptm", "single.ptm"}) {
        CheckEq(WithSizeLimit([&name] { return static_cast<int>(Save(name, std::string(5000, 'n'))); }),
                static_cast<int>(SaveFileResult::Failed), name + ": 5000 bytes past a limit of 1000 fail");
        CheckEq(Read(name), old, name + ": the old content stays");
    }
    CheckEq(fixture::Names("."), (Names{"list.ptm", "other name.ptm", "single.ptm"}), "no temporary file is left");
}

CONFORMANCE_CASE("SaveFile", "a failed write of blocks keeps the old content") {
    fixture::ScratchFolder scratch;
    const std::string head = "head|", body(3000, 'b'), tail = "|tail";
    auto bytes = [](const std::string& text) { return reinterpret_cast<const std::uint8_t*>(text.data()); };
    const ByteBlock blocks[] = {{bytes(head), head.size()}, {nullptr, 0}, {bytes(body), body.size()},
                                {bytes(tail), tail.size()}};
    const std::string old(300, 'o');
    WriteWholeFile("linked.ptm", old.data(), old.size());
    fixture::MakeHardLink("linked.ptm", "other name.ptm");  // written in place
    WriteWholeFile("single.ptm", old.data(), old.size());   // replaced
    for (const std::string name : {"linked.ptm", "single.ptm"}) {
        // The first block fits below the limit, the next does not.
        CheckEq(WithSizeLimit([&] { return static_cast<int>(SaveFile(name, blocks, 4)); }), static_cast<int>(SaveFileResult::Failed),
                name + ": blocks past the limit fail");
        CheckEq(Read(name), old, name + ": the old content stays");
    }
    CheckEq(fixture::Names("."), (Names{"linked.ptm", "other name.ptm", "single.ptm"}), "no temporary file is left");
}

std::string LinkTarget(const std::string& link) {
    char target[256] = {};
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    return n < 0 ? "<no link>" : std::string(target, static_cast<std::size_t>(n));
}

CONFORMANCE_CASE("SaveFile", "a failed save through a link leaves the link and its target") {
    fixture::ScratchFolder scratch;
    fixture::MakeFolder("real");
    const std::string old(300, 'o');
    WriteWholeFile("real/list.ptm", old.data(), old.size());
    Check(fixture::MakeSymbolicLink("real/list.ptm", "link.ptm"), "a link to a list");
    Check(fixture::MakeSymbolicLink("real/later.ptm", "dangling.ptm"), "a link to a list not made yet");
    Check(fixture::MakeSymbolicLink("dangling.ptm", "link to dangling.ptm"), "a link to that link");
    for (const std::string name : {"link.ptm", "dangling.ptm", "link to dangling.ptm"}) {
        CheckEq(WithSizeLimit([&name] { return static_cast<int>(Save(name, std::string(5000, 'n'))); }),
                static_cast<int>(SaveFileResult::Failed), name + ": 5000 bytes past a limit of 1000 fail");
    }
    CheckEq(LinkTarget("link.ptm"), std::string("real/list.ptm"), "the link stays as it was");
    CheckEq(LinkTarget("dangling.ptm"), std::string("real/later.ptm"), "so does the dangling link");
    CheckEq(LinkTarget("link to dangling.ptm"), std::string("dangling.ptm"), "and the link to it");
    CheckEq(Read("real/list.ptm"), old, "the target keeps its old content");
    CheckEq(fixture::Names("real"), Names{"list.ptm"}, "no target is made, no temporary file left");
    CheckEq(fixture::Names("."), (Names{"dangling.ptm", "link to dangling.ptm", "link.ptm", "real"}),
            "nor beside the links");
}

CONFORMANCE_CASE("Whole files", "a write that cannot be completed is false") {
    fixture::ScratchFolder scratch;
    const std::string bytes(5000, 'n');
    CheckEq(WithSizeLimit([&] { return WriteWholeFile("out.pdf", bytes.data(), bytes.size()) ? 1 : 0; }), 0,
            "5000 bytes past a limit of 1000");
}

CONFORMANCE_CASE("Existence and size", "the current directory is the process's") {
    fixture::ScratchFolder scratch;
    CheckEq(CurrentDirectory(), std::filesystem::current_path().string(), "the same as getcwd");
}

CONFORMANCE_CASE("ANSI text", "UTF-8 that earlier versions wrote into list and settings files reads as UTF-8") {
    CheckEq(AnsiToPath("Eink\xC3\xA4ufe"), std::string("Eink\xC3\xA4ufe"), "Einkaeufe in UTF-8 stays as it is");
    CheckEq(AnsiToPath("Eink\xE4ufe \xC3\xA4"), std::string("Eink\xC3\xA4ufe \xC3\x83\xC2\xA4"),
            "a text that is not UTF-8 as a whole is ANSI");
    CheckEq(AnsiToPath("Eink\xC3\xA4uf"), std::string("Eink\xC3\xA4uf"), "a name cut after a whole character");
    CheckEq(AnsiToPath("K\xC3"), std::string("K\xC3\x83"), "one cut inside a character is ANSI");
    CheckEq(AnsiToPath("\xC0\xAF"), std::string("\xC3\x80\xC2\xAF"), "an overlong form is no UTF-8");
    // The bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D, which 1252 leaves free, keep their numbers and come back.
    std::string ansi;
    Check(PathToAnsi(AnsiToPath("\x81\x8D\x8F\x90\x9D"), ansi) && ansi == "\x81\x8D\x8F\x90\x9D",
          "the five free bytes round-trip");
}

}  // namespace
