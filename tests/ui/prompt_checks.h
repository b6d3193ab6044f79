// The check of a recorded prompt, shared by the main-window and dialog tests.
#pragma once
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "drivers/script.h"

namespace pantrium::test {

// Prompt index of the script (0 the first): its text, caption and style.
inline void ExpectPrompt(std::size_t index, const std::string& text, const std::string& caption, int style) {
    ASSERT_GT(script::Prompts().size(), index);
    const script::PromptRecord& p = script::Prompts()[index];
    EXPECT_EQ(p.text, text);
    EXPECT_EQ(p.caption, caption);
    EXPECT_EQ(p.style, style);
}

}  // namespace pantrium::test
