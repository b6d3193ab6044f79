#pragma once
#include <cstdint>
#include <string>

#include "platform/window.h"

namespace pantrium {

// Thin wrappers over the platform's open/save dialogs. fileName is in/out.
// filter uses "|" between display texts and patterns.
int OpenFileDialog(plat::Window owner, const std::string& title, std::string& fileName,
                   const std::string& initialDir, const std::string& filter,
                   const std::string& defExt, std::uint32_t& flags);
int SaveFileDialog(plat::Window owner, const std::string& title, std::string& fileName,
                   const std::string& initialDir, const std::string& filter,
                   const std::string& defExt, std::uint32_t& flags);
// "a|b|c|d" -> "a\0b\0c\0d\0\0"
std::string ConvertFilter(const std::string& filter);

}  // namespace pantrium
