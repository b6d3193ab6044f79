// Shorthands of the file access suite and its extras: a save and a read of
// text, and the save's result in words for the harness's FAIL lines.
#pragma once

#include <ostream>
#include <string>

#include "platform/files.h"

namespace pantrium::files {

inline std::ostream& operator<<(std::ostream& out, SaveFileResult result) {
    switch (result) {
        case SaveFileResult::Saved: return out << "Saved";
        case SaveFileResult::ReadOnly: return out << "ReadOnly";
        case SaveFileResult::Failed: return out << "Failed";
    }
    return out << "SaveFileResult(" << static_cast<int>(result) << ")";
}

}  // namespace pantrium::files

namespace suite {

// The ANSI code page of this system's list text (each system's extras define it).
unsigned AnsiCodePage();

// The whole file as text; "<unreadable>" when it cannot be read.
inline std::string Read(const std::string& path) {
    pantrium::files::FileContent content;
    if (!pantrium::files::ReadWholeFile(path, content)) return "<unreadable>";
    return std::string(reinterpret_cast<const char*>(content.bytes.get()), content.size);
}

inline pantrium::files::SaveFileResult Save(const std::string& path, const std::string& text) {
    return pantrium::files::SaveFile(path, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

}  // namespace suite
