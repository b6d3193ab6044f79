// Rectangles, points and sizes as the FAIL lines show them (window_suite.cpp).
#pragma once
#include <ostream>

#include "platform/window.h"

namespace plat {
std::ostream& operator<<(std::ostream& out, const Rect& r);
std::ostream& operator<<(std::ostream& out, const Point& p);
std::ostream& operator<<(std::ostream& out, const Size& s);
}  // namespace plat
