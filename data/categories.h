// Category list operations and the two small text files.
#pragma once
#include <string>

namespace pantrium {

constexpr int kMaxCategories = 255;  // catg is one byte

void AppendCategory(const std::string& text);            // stored in lower case
void RenameCategory(int k, const std::string& text);     // as entered
void RemoveCategory(int k);                              // renumbers items, SortRows(0)
std::string ToLowerAnsi(const std::string& text);

// listPath = "my Pantrium.ptm", or the first field of pantrium.ini when not empty.
void ReadSettings();
// First field of a pantrium.ini content (quotes, comma, CR, Ctrl-Z rules).
std::string FirstSettingsField(const std::string& content);
// grocery.ini := listPath + CR LF. Returns false when it could not be written.
bool WriteLastListPath();

}  // namespace pantrium
