// UTF-8 text <-> UTF-16 for the wide Win32 API. The program holds paths (and
// every other text it hands to a wide call) as UTF-8; the window layer and the
// file access of the Windows build convert with these two functions only.
#pragma once
#include <string>

namespace pantrium::files {

std::wstring ToWide(const std::string& utf8);
std::string FromWide(const std::wstring& wide);

}  // namespace pantrium::files
