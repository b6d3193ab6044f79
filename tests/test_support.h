// Helpers shared by the test programs: a private current directory and dates
// typed as the user types them.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "data/dates.h"

namespace pantrium::test {

namespace fs = std::filesystem;

// A fresh folder under the system temp folder, the current directory while it
// lives (the settings files and relative list paths resolve against it).
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        do path_ = fs::temp_directory_path() / ("pantrium-test-" + std::to_string(rd()));
        while (!fs::create_directory(path_));
        previous_ = fs::current_path();
        fs::current_path(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::current_path(previous_, ec);
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_, previous_;
};

// A typed date as checkout stores it.
inline PackedDate Date(const std::string& typed) {
    std::string t = typed;
    EXPECT_TRUE(NormalizeDateText(t)) << typed;
    return PackDate(t);
}

}  // namespace pantrium::test
