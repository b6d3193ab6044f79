// Knowing when the list file changed on disk (another program, another PC
// through a shared or synced folder), and taking that change in: a reload
// when the table has no changes of its own, a merge when it has.
//
// LoadList and SaveList remember what they read and wrote in listFileBase;
// CheckListFile compares the file with it. When nothing changed the check is
// one status call (size, modification time, identity); when the status
// differs the file is read and its bytes compared, so that a file that was
// only touched is no change.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"
#include "list_file.h"
#include "list_merge.h"

namespace pantrium {

// What the list file was when it was loaded or last saved.
struct ListFileBase {
    std::string path;                 // the file it describes; empty: none (a new list)
    bool stampKnown = false;          // false: the next check reads the file
    files::FileStamp stamp;           // taken before the read, or after the save
    std::uint64_t hash = 0;           // ListBytesHash(bytes)
    std::vector<std::uint8_t> bytes;  // the list as loaded or last saved
};

// The base of the table's list (itemTable), kept by LoadList and SaveList.
extern ListFileBase listFileBase;

enum class DiskChange {
    None,     // the file holds what was loaded or saved (or, for a new list, there is none yet)
    Changed,  // the file holds another whole list: DiskCheck::bytes
    NotNow,   // unreadable (locked) or half-written: ask again at the next check
    Missing,  // the file that was loaded or saved is not there now (deleted, or
              // between a sync client's delete and write)
};

struct DiskCheck {
    DiskChange change = DiskChange::None;
    std::string path;
    std::vector<std::uint8_t> bytes;  // the file now, when Changed
    files::FileStamp stamp;           // its stamp, taken before it was read
    bool stampKnown = false;
};

// 64-bit FNV-1a of the bytes.
std::uint64_t ListBytesHash(const std::uint8_t* data, std::size_t size);

// True when the bytes are a whole list file as the program writes it: the
// header text, counts that fit (0 <= m <= 255), every row, record and
// category name present, the row order a permutation, and a last field that
// is not all NUL bytes (a file that another program has sized but not yet
// filled). Anything else is a file being written: never taken over the table.
bool IsCompleteListFile(const std::uint8_t* data, std::size_t size);

// Remembers bytes as the content of the file at path; stamp null: not known
// (the next check reads the file).
void RememberListFile(ListFileBase& base, const std::string& path, std::vector<std::uint8_t> bytes,
                      const files::FileStamp* stamp);

// Compares the file at path with base. A check that finds the same bytes
// under a new stamp takes the new stamp, so that the next one is a status
// call again. A base of another path (none loaded from it) counts as no
// base: a whole list found there is Changed, nothing there is None.
DiskCheck CheckListFile(ListFileBase& base, const std::string& path);
// The table's list: itemTable.listPath against listFileBase.
DiskCheck CheckListFile();

// No changes of the table's own: the changed file becomes the table
// (LoadFromBytes) and the base. The caller keeps the selection by the
// item's name and redraws. False, changing nothing, when check is not Changed.
bool ReloadChangedList(DiskCheck& check);

// Changes of the table's own: merges the changed file into the table (base:
// listFileBase when it describes check.path, else none) and makes the file's
// content the base, so that saving the merged table next is right even if
// the merge is repeated. The conflicts are for the user to be told. modified
// is set; the caller saves. False, changing nothing, when check is not Changed.
bool MergeChangedList(DiskCheck& check, std::vector<MergeConflict>& conflicts);

// The save of a shared list: CheckListFile first; a changed file is merged
// into the table (MergeChangedList) and the merged table saved. When the file
// is being written now (NotNow) nothing is saved: the caller tries again or
// lets the user choose. found tells what the check found; saved whether
// SaveList ran, result its result.
struct SharedSave {
    DiskChange found = DiskChange::None;
    bool saved = false;
    SaveResult result = SaveResult::CannotWrite;
    std::vector<MergeConflict> conflicts;
};
SharedSave SaveSharedList();

// "Merge List...": merges the list file at path into the table without a base
// (every difference is an addition or a conflict, mine wins). False when the
// file is not a whole list file now; the table is then unchanged.
bool MergeListFile(const std::string& path, std::vector<MergeConflict>& conflicts);

}  // namespace pantrium
