// Copies of the list that sync clients leave beside it when two PCs changed
// it at the same time: OneDrive "my Pantrium-PCNAME.ptm", Dropbox and
// Nextcloud "my Pantrium (... conflicted copy ...).ptm", a second download
// "my Pantrium (1).ptm", Syncthing "my Pantrium.sync-conflict-....ptm".
//
// The rule: in the list's folder, a file ending in ".ptm" whose name starts
// with the list's name (without ".ptm") followed by " (", "-" or "." (letters
// compared without regard to case). Only copies that hold something the table
// lacks are offered, so that a copy already merged is not offered again.
#pragma once
#include <string>
#include <vector>

namespace pantrium {

// True when fileName (no folder) is a conflict copy's name of the list file listFileName.
bool IsConflictCopyName(const std::string& listFileName, const std::string& fileName);

// The conflict copies beside the list at listPath (path text, UTF-8), in name order.
std::vector<std::string> ConflictCopiesOf(const std::string& listPath);

// True when the copy is a whole list file whose merge into the table would
// take something from it (an item or a field the table does not hold).
bool CopyAddsToTable(const std::string& copyPath);

}  // namespace pantrium
