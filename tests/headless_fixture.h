// GoogleTest fixture for tests that drive code through the headless window
// layer: a fresh layer before each test, and no script failures after it.
#pragma once
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/window/headless/headless.h"

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override { EXPECT_TRUE(headless::Failures().empty()) << FailureText(); }

    // All recorded failures, one per line (for assertion messages).
    static std::string FailureText() {
        std::string text;
        for (const std::string& f : headless::Failures()) text += f + "\n";
        return text;
    }
};

// Readable values in assertion messages.
namespace plat {
inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}
inline void PrintTo(const Size& s, std::ostream* os) { *os << "{" << s.cx << ", " << s.cy << "}"; }
inline void PrintTo(const Point& p, std::ostream* os) { *os << "{" << p.x << ", " << p.y << "}"; }
}  // namespace plat
