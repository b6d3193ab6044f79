// Which names beside a list are a sync client's conflict copies of it.
#include <gtest/gtest.h>

#include "data/conflict_copies.h"

namespace pantrium {
namespace {

TEST(ConflictCopyName, TheSyncClientsNamesOfACopyAreCopies) {
    for (const char* name : {"my Pantrium (conflicted copy 2024-05-02 101010).ptm",
                             "my Pantrium (PC2's conflicted copy 2024-05-02).ptm", "my Pantrium-PCNAME.ptm",
                             "my Pantrium (1).ptm", "my Pantrium.sync-conflict-20240502-101010-ABCDEFG.ptm",
                             "MY PANTRIUM (1).PTM"})
        EXPECT_TRUE(IsConflictCopyName("my Pantrium.ptm", name)) << name;
}

TEST(ConflictCopyName, TheListItselfAndOtherListsAreNot) {
    for (const char* name : {"my Pantrium.ptm", "My pantrium.PTM", "my Pantriums.ptm", "my Pantrium2.ptm",
                             "my Pantrium (1).txt", "my Pantrium-.ptm.bak", "our Pantrium (1).ptm", "my.ptm"})
        EXPECT_FALSE(IsConflictCopyName("my Pantrium.ptm", name)) << name;
    EXPECT_FALSE(IsConflictCopyName("notes.txt", "notes (1).txt"));  // only list files have copies
}

}  // namespace
}  // namespace pantrium
