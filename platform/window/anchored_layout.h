// Where a control with layout bits (kGrowRight, kGrowDown, kFollowBottom)
// stands in a resizable dialog whose client area is dw wider and dh taller
// than when the dialog was first shown. Shared by the window layers; the
// edges are in whatever pixels the layer places its controls in.
#pragma once
#include <algorithm>

#include "platform/window.h"

namespace plat {

constexpr unsigned kLayoutBits = kGrowRight | kGrowDown | kFollowBottom;

struct Edges {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Edges&) const = default;
};

inline Edges AnchoredEdges(Edges created, unsigned style, int dw, int dh) {
    Edges e = created;
    if (style & kGrowRight) e.right += dw;
    if (style & kGrowDown) e.bottom += dh;
    if (style & kFollowBottom) {
        e.top += dh;
        e.bottom += dh;
    }
    // A client area smaller than the first one (a maximised window on a
    // small screen) never turns a control inside out.
    e.right = std::max(e.right, e.left);
    e.bottom = std::max(e.bottom, e.top);
    return e;
}

}  // namespace plat
