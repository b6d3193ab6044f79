// What the headless layer's own cases share: a fresh in-memory layer for
// each case, and no failure of the scripted user after it. These cases drive
// headless.h's script directly: they check the model's fixed metrics, its
// records of prompts, pop-ups and print jobs, and its script's own failures.
#pragma once
#include <functional>
#include <ostream>
#include <string>

#include "conformance/harness.h"
#include "platform/window/headless/headless.h"

namespace plat {
std::ostream& operator<<(std::ostream& out, const Rect& r);
std::ostream& operator<<(std::ostream& out, const Point& p);
std::ostream& operator<<(std::ostream& out, const Size& s);
}  // namespace plat

namespace headless_model {

// Runs body on a fresh layer, then checks that the script recorded no failure.
inline void InFreshLayer(const std::function<void()>& body) {
    headless::Reset();
    body();
    std::string failures;
    for (const std::string& f : headless::Failures()) failures += "\n  " + f;
    conformance::Check(failures.empty(), "the script recorded no failure" + failures);
}

}  // namespace headless_model
