// The list save on real files: links, owners, permissions, folders that take
// no temporary file, failed writes; and the plain file operations.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "data/file_access.h"
#include "data_test_support.h"

namespace pantrium::test {
namespace {

using files::SaveFileResult;

constexpr uid_t kNobody = 65534;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

SaveFileResult Save(const std::string& path, const Bytes& bytes) {
    return files::SaveFile(path, bytes.data(), bytes.size());
}

// The names in a folder: what a save leaves behind.
std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs fn in a child process, as the unprivileged user "nobody" when the tests
// run as the superuser (whom permissions do not stop); fn's result comes back.
int InChild(bool unprivileged, const std::function<int()>& fn) {
    pid_t pid = fork();
    if (pid == 0) {
        if (unprivileged && geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(99);
        _exit(fn());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

struct stat Stat(const fs::path& p) {
    struct stat st {};
    EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
    return st;
}

class FileAccessTest : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(FileAccessTest, ReplacesAPlainFileAndKeepsItsPermissions) {
    WriteBytes("list.ptm", Text("old content, longer than the new one"));
    fs::permissions("list.ptm", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const ino_t before = Stat("list.ptm").st_ino;
    ASSERT_EQ(Save("list.ptm", Text("new")), SaveFileResult::Saved);
    EXPECT_EQ(ReadBytes("list.ptm"), Text("new"));
    EXPECT_NE(Stat("list.ptm").st_ino, before);  // replaced in one step, not rewritten
    EXPECT_EQ(Stat("list.ptm").st_mode & 07777, 0640u);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"list.ptm"});

    // A new file, and one beside files an earlier run may have left.
    WriteBytes("new.ptm.saving", Text("stale"));
    fs::permissions("new.ptm.saving", fs::perms::owner_read);
    fs::create_directory(".~ptm00000000.tmp");
    ASSERT_EQ(Save("new.ptm", Text("fresh")), SaveFileResult::Saved);
    EXPECT_EQ(ReadBytes("new.ptm"), Text("fresh"));
    EXPECT_EQ(Names(dir.path()),
              (std::vector<std::string>{".~ptm00000000.tmp", "list.ptm", "new.ptm", "new.ptm.saving"}));

    // Folders and missing folders are never written.
    fs::create_directory("folder.ptm");
    EXPECT_EQ(Save("folder.ptm", Text("x")), SaveFileResult::Failed);
    EXPECT_EQ(Save("no such folder/list.ptm", Text("x")), SaveFileResult::Failed);
    EXPECT_EQ(Save("", Text("x")), SaveFileResult::Failed);
}

TEST_F(FileAccessTest, ExtendedAttributesSurviveTheReplace) {
    WriteBytes("list.ptm", Text("old"));
    if (::setxattr("list.ptm", "user.pantrium", "kept", 4, 0) != 0)
        GTEST_SKIP() << "this file system takes no user attributes";
    const ino_t before = Stat("list.ptm").st_ino;
    ASSERT_EQ(Save("list.ptm", Text("new")), SaveFileResult::Saved);
    EXPECT_NE(Stat("list.ptm").st_ino, before);
    char value[8] = {};
    EXPECT_EQ(::getxattr("list.ptm", "user.pantrium", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
}

TEST_F(FileAccessTest, LinksStayLinks) {
    fs::create_directory("real");
    WriteBytes("real/list.ptm", Text("old"));
    fs::create_symlink("real/list.ptm", "link.ptm");
    fs::create_symlink("link.ptm", "link to link.ptm");
    ASSERT_EQ(Save("link to link.ptm", Text("through two links")), SaveFileResult::Saved);
    EXPECT_TRUE(fs::is_symlink("link.ptm"));
    EXPECT_TRUE(fs::is_symlink("link to link.ptm"));
    EXPECT_EQ(ReadBytes("real/list.ptm"), Text("through two links"));
    EXPECT_EQ(Names("real"), std::vector<std::string>{"list.ptm"});

    // A link whose file is not made yet: the save makes it.
    fs::create_symlink("real/later.ptm", "dangling.ptm");
    ASSERT_EQ(Save("dangling.ptm", Text("made")), SaveFileResult::Saved);
    EXPECT_TRUE(fs::is_symlink("dangling.ptm"));
    EXPECT_EQ(ReadBytes("real/later.ptm"), Text("made"));

    // Hard links: every name keeps seeing the one file.
    WriteBytes("a.ptm", Text("old"));
    fs::create_hard_link("a.ptm", "b.ptm");
    const ino_t inode = Stat("a.ptm").st_ino;
    ASSERT_EQ(Save("a.ptm", Text("shared")), SaveFileResult::Saved);
    EXPECT_EQ(ReadBytes("b.ptm"), Text("shared"));
    EXPECT_EQ(Stat("a.ptm").st_ino, inode);
    EXPECT_EQ(Stat("b.ptm").st_nlink, 2u);
    ASSERT_EQ(Save("b.ptm", Text("s")), SaveFileResult::Saved);  // shorter: the rest is cut
    EXPECT_EQ(ReadBytes("a.ptm"), Text("s"));
}

TEST_F(FileAccessTest, ReadOnlyListIsToldAndKept) {
    WriteBytes("list.ptm", Text("old"));
    fs::permissions("list.ptm", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Save("list.ptm", Text("new")), SaveFileResult::ReadOnly);
    EXPECT_EQ(ReadBytes("list.ptm"), Text("old"));
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"list.ptm"});
}

TEST_F(FileAccessTest, FolderThatTakesNoTemporaryFileIsWrittenInPlace) {
    fs::create_directory("shelf");
    WriteBytes("shelf/list.ptm", Text("old content"));
    fs::permissions("shelf/list.ptm", fs::perms::all);  // the list may be written by anyone
    fs::permissions("shelf", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_exec |
                                 fs::perms::others_exec);
    const ino_t inode = Stat("shelf/list.ptm").st_ino;
    ASSERT_EQ(InChild(true, [] { return static_cast<int>(Save("shelf/list.ptm", Text("new"))); }),
              static_cast<int>(SaveFileResult::Saved));
    EXPECT_EQ(ReadBytes("shelf/list.ptm"), Text("new"));
    EXPECT_EQ(Stat("shelf/list.ptm").st_ino, inode);
    EXPECT_EQ(Names("shelf"), std::vector<std::string>{"list.ptm"});
    fs::permissions("shelf", fs::perms::owner_all);  // so that the folder can be removed
}

TEST_F(FileAccessTest, OwnerAndGroupAreKeptAndOtherUsersListsAreReadOnly) {
    if (geteuid() != 0) GTEST_SKIP() << "needs files of two users: run as root";
    // Writable for its owner only: read-only for anyone else.
    WriteBytes("mine.ptm", Text("old"));
    EXPECT_EQ(InChild(true, [] { return static_cast<int>(Save("mine.ptm", Text("new"))); }),
              static_cast<int>(SaveFileResult::ReadOnly));
    EXPECT_EQ(ReadBytes("mine.ptm"), Text("old"));

    // The superuser saves a list of another user: the replace takes its owner.
    WriteBytes("theirs.ptm", Text("old"));
    ASSERT_EQ(::chown("theirs.ptm", kNobody, kNobody), 0);
    ASSERT_EQ(Save("theirs.ptm", Text("new")), SaveFileResult::Saved);
    EXPECT_EQ(Stat("theirs.ptm").st_uid, kNobody);
    EXPECT_EQ(Stat("theirs.ptm").st_gid, kNobody);

    // A user who may write another's list in a shared folder but cannot give a
    // new file that owner: written in place, the owner stays.
    fs::create_directory("shared");
    fs::permissions("shared", fs::perms::all);
    WriteBytes("shared/list.ptm", Text("old"));
    fs::permissions("shared/list.ptm", fs::perms::all);
    ASSERT_EQ(InChild(true, [] { return static_cast<int>(Save("shared/list.ptm", Text("new"))); }),
              static_cast<int>(SaveFileResult::Saved));
    EXPECT_EQ(ReadBytes("shared/list.ptm"), Text("new"));
    EXPECT_EQ(Stat("shared/list.ptm").st_uid, 0u);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"mine.ptm", "shared", "theirs.ptm"}));
    EXPECT_EQ(Names("shared"), std::vector<std::string>{"list.ptm"});
}

TEST_F(FileAccessTest, FailedWriteKeepsTheOldContentAndLeavesNoTemporaryFile) {
    const Bytes old = Text(std::string(300, 'o'));
    WriteBytes("list.ptm", old);
    fs::create_hard_link("list.ptm", "other name.ptm");  // written in place
    WriteBytes("single.ptm", old);                        // replaced through a temporary file
    for (const char* name : {"list.ptm", "single.ptm"}) {
        // No file may grow beyond 1000 bytes: the new content cannot be written.
        const int result = InChild(false, [name] {
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit{1000, 1000};
            setrlimit(RLIMIT_FSIZE, &limit);
            return static_cast<int>(Save(name, Bytes(5000, 'n')));
        });
        EXPECT_EQ(result, static_cast<int>(SaveFileResult::Failed)) << name;
        EXPECT_EQ(ReadBytes(name), old) << name;
    }
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"list.ptm", "other name.ptm", "single.ptm"}));
}

TEST_F(FileAccessTest, ContentInBlocksIsWrittenInOrderOnEveryPath) {
    const Bytes head = Text("head|"), body = Text(std::string(3000, 'b')), tail = Text("|tail");
    const files::ByteBlock blocks[] = {{head.data(), head.size()}, {nullptr, 0},
                                       {body.data(), body.size()}, {tail.data(), tail.size()}};
    const Bytes old(300, 'o');
    WriteBytes("linked.ptm", old);
    fs::create_hard_link("linked.ptm", "other name.ptm");  // written in place
    WriteBytes("single.ptm", old);                        // replaced
    for (const char* name : {"linked.ptm", "single.ptm"}) {
        // The first block fits below the limit, the next does not: the old content stays.
        const int result = InChild(false, [name, &blocks] {
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit{1000, 1000};
            setrlimit(RLIMIT_FSIZE, &limit);
            return static_cast<int>(files::SaveFile(name, blocks, 4));
        });
        EXPECT_EQ(result, static_cast<int>(SaveFileResult::Failed)) << name;
        EXPECT_EQ(ReadBytes(name), old) << name;
    }
    for (const char* name : {"linked.ptm", "single.ptm", "new.ptm"}) {
        ASSERT_EQ(files::SaveFile(name, blocks, 4), SaveFileResult::Saved) << name;
        EXPECT_EQ(ReadBytes(name), head + body + tail) << name;
        ASSERT_EQ(files::SaveFile(name, blocks, 1), SaveFileResult::Saved) << name;
        EXPECT_EQ(ReadBytes(name), head) << name;  // no stale tail
    }
    EXPECT_EQ(ReadBytes("other name.ptm"), head);
}

TEST_F(FileAccessTest, LongNamesSave) {
    // The longest name a folder entry can have: no room for a longer temporary name.
    const std::string name = std::string(251, 'l') + ".ptm";
    WriteBytes(name, Text("old"));
    ASSERT_EQ(Save(name, Text("new")), SaveFileResult::Saved);
    EXPECT_EQ(ReadBytes(name), Text("new"));
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{name});
}

TEST_F(FileAccessTest, PlainOperations) {
    const std::string folder = "покупки", file = folder + "/買い物 – Einkäufe.ptm";
    EXPECT_FALSE(files::Exists(folder));
    fs::create_directory(folder);
    EXPECT_TRUE(files::Exists(folder));
    EXPECT_TRUE(files::IsFolder(folder));
    EXPECT_EQ(files::CurrentDirectory(), fs::current_path().string());

    ASSERT_TRUE(files::CreateEmptyFile(file));
    std::uint64_t size = 99;
    ASSERT_TRUE(files::FileSize(file, size));
    EXPECT_EQ(size, 0u);
    ASSERT_TRUE(files::WriteWholeFile(file, "abc", 3));
    ASSERT_TRUE(files::CreateEmptyFile(file));  // an existing file is not emptied
    files::FileContent content;
    ASSERT_TRUE(files::ReadWholeFile(file, content));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(content.bytes.get()), content.size), "abc");
    EXPECT_FALSE(files::IsFolder(file));
    EXPECT_FALSE(files::FileSize(folder, size));

    EXPECT_FALSE(files::ReadWholeFile(folder, content));
    EXPECT_FALSE(files::ReadWholeFile("missing.ptm", content));
    EXPECT_EQ(content.size, 0u);
    EXPECT_FALSE(files::CreateEmptyFile("missing folder/x.ptm"));
    EXPECT_FALSE(files::WriteWholeFile(folder, "x", 1));

    std::string ansi;
    EXPECT_TRUE(files::PathToAnsi(file, ansi));  // paths are bytes here
    EXPECT_EQ(ansi, file);
    EXPECT_EQ(files::AnsiToPath("Eink\xE4ufe"), "Eink\xE4ufe");
}

}  // namespace
}  // namespace pantrium::test
