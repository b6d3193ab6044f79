// What the headless layer's own cases share: a fresh in-memory layer for
// each case, and no failure of the scripted user after it. These cases drive
// headless.h's script directly: they check the model's fixed metrics, its
// records of prompts, pop-ups and print jobs, and its script's own failures.
#pragma once
#include <functional>
#include <string>

#include "conformance/harness.h"
#include "geometry_output.h"
#include "platform/window/headless/headless.h"

namespace headless_model {

// Runs body on a fresh layer, then checks that the script recorded no failure.
inline void InFreshLayer(const std::function<void()>& body) {
    headless::Reset();
    body();
    std::string failures;
    for (const std::string& f : headless::Failures()) failures += "\n  " + f;
    conformance::Check(failures.empty(), "the script recorded no failure" + failures);
}

// A dialog of 200 x 100 with the buttons OK (1) and Cancel (2).
inline plat::DialogSpec OkCancelSpec(const std::string& caption, plat::Window owner = 0) {
    plat::DialogSpec spec;
    spec.caption = caption;
    spec.width = 200;
    spec.height = 100;
    spec.owner = owner;
    spec.controls = {{1, plat::Kind::Button, "OK", {10, 60, 60, 30}, plat::kTabStop},
                     {2, plat::Kind::Button, "Cancel", {80, 60, 60, 30}, plat::kTabStop}};
    return spec;
}

// A dialog of 300 x 200 holding one notifying list, kMenuList: the owner of
// the menu bars and pop-up menus.
constexpr int kMenuList = 100;
inline plat::DialogSpec MenuSpec() {
    plat::DialogSpec spec;
    spec.caption = "Menus";
    spec.width = 300;
    spec.height = 200;
    spec.controls = {{kMenuList, plat::Kind::ListBox, "", {10, 20, 100, 65}, plat::kTabStop | plat::kNotify}};
    return spec;
}

}  // namespace headless_model
