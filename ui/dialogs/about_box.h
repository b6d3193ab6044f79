#pragma once
#include <string>

#include "platform/window.h"

namespace pantrium {

void ShowAboutBox(plat::Window owner);
// Font of size points; style letters b, i, u (any case). Owned by the caller.
plat::Font CreateStyledFont(const std::string& face, int points, const std::string& style);

}  // namespace pantrium
