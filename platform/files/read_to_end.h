// Reading a whole file into a FileContent, shared by the two file-access
// implementations (platform/files/posix, platform/files/win32): they differ only in
// the call that reads the next bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "platform/files.h"

namespace pantrium::files {

// expected: the size the file claims. readSome(buffer, room) reads at most
// room bytes into buffer and gives their number, 0 at the end of the file,
// a negative number on failure.
template <typename ReadSome>
bool ReadToEnd(std::size_t expected, FileContent& content, ReadSome readSome) {
    try {
        // One byte more than expected, so that a complete file ends the loop at once.
        std::size_t capacity = expected + 1;
        content.bytes.reset(new std::uint8_t[capacity]);
        content.size = 0;
        for (;;) {
            const long long n = readSome(content.bytes.get() + content.size, capacity - content.size);
            if (n < 0) return false;
            if (n == 0) return true;
            content.size += static_cast<std::size_t>(n);
            if (content.size == capacity) {
                // The file is longer than it said: continue in a buffer twice as large.
                std::unique_ptr<std::uint8_t[]> larger(new std::uint8_t[2 * capacity]);
                std::memcpy(larger.get(), content.bytes.get(), content.size);
                content.bytes.swap(larger);
                capacity *= 2;
            }
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace pantrium::files
