// File access: every file-system operation of the program goes through these
// functions (the list file, pantrium.ini, grocery.ini, the PDF output, the
// current directory, file existence and size).
//
// Path text is UTF-8 in a std::string, in every layer of the program. Only the
// implementation of this interface converts it to what the system takes:
//  - platform/files/posix/posix_files.cpp (Linux: the tests, the fuzzer, the
//    benchmark): path text is passed to the system as its bytes;
//  - platform/files/win32/win32_files.cpp (Windows): UTF-8 <-> UTF-16 and the
//    wide API only; long paths get the \\?\ prefix. The window layer converts
//    its texts with platform/files/win32/wide_text.h of the same module.
// The implementation is chosen at link time (library pantrium_files), as the
// window layer is.
//
// Texts inside the list file (item, unit and category names) stay single-byte
// ANSI. Files whose bytes are ANSI text holding a path (pantrium.ini,
// grocery.ini) go through AnsiToPath / PathToAnsi.
//
// tests/conformance/files/ states all of this as checks, one section per
// heading below (path text: this comment), and runs them on every
// implementation; a change of meaning is made here and there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pantrium::files {

// A whole file in memory.
struct FileContent {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;
};

// ---- Existence and size ----

// True when a file or folder exists at path (a symbolic link counts when its
// target exists).
bool Exists(const std::string& path);
// True when path names a folder.
bool IsFolder(const std::string& path);
// The size in bytes of the file at path; false when there is no such file.
bool FileSize(const std::string& path, std::uint64_t& size);
// What a file is now, from one status call: its size, its last modification
// time and its identity (inode, file index). Two stamps of one path are equal
// when nothing was written to the file and it was not replaced in between
// (a replace by rename gives a new identity); the values mean nothing else
// and are only compared.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds (POSIX) or 100 ns (Windows) since the system's epoch
    std::uint64_t id = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// The stamp of the file at path (through symbolic links); false when there is
// no such file, it is a folder or its status cannot be read.
bool FileStatus(const std::string& path, FileStamp& stamp);
// The process's current directory as path text, without a trailing separator
// (except for a root); empty when it cannot be read.
std::string CurrentDirectory();

// ---- Whole files ----

// Reads the whole file. False when it cannot be opened or read (missing, a
// folder, locked, no access) or does not fit in memory; content is then empty.
bool ReadWholeFile(const std::string& path, FileContent& content);
// Creates an empty file when nothing exists at path; never truncates an
// existing file. True when a file exists at path afterwards.
bool CreateEmptyFile(const std::string& path);
// Creates the file or empties it, and writes the bytes (grocery.ini, the PDF
// output). False when it could not be written completely.
bool WriteWholeFile(const std::string& path, const void* data, std::size_t size);

// ---- SaveFile: the list save ----

enum class SaveFileResult { Saved, ReadOnly, Failed };

// The list save. Writes the bytes as the whole content of the file at path so
// that the file stays what it is:
//  - a symbolic link (a reparse point on Windows) is followed: the real file
//    is saved, the link stays a link;
//  - where it keeps the file as it is, a temporary file with a unique short
//    name in the same folder replaces the file in one step, so that a failed
//    save leaves the old file untouched;
//  - a file with more than one hard link, a file whose owner or group a
//    replace would change, a folder that cannot take a temporary file, or a
//    replace that fails: the file is written in place, after keeping a copy of
//    its old content in memory, which is written back when the write fails;
//  - ReadOnly when the file exists and may not be written (no write
//    permission, the read-only attribute); nothing is changed then;
//  - no temporary file is ever left behind, and none from an earlier run can
//    block a save.
//
// The content may be given as blocks, written one after the other, so that a
// content that lies in several places needs no copy in one.
struct ByteBlock {
    const std::uint8_t* data;
    std::size_t size;
};
SaveFileResult SaveFile(const std::string& path, const ByteBlock* blocks, std::size_t count);
inline SaveFileResult SaveFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const ByteBlock block{data, size};
    return SaveFile(path, &block, 1);
}

// ---- ANSI text ----

// Text in the ANSI code page as path text. The code page is the system's on
// Windows (CP_ACP); on Linux it is Windows-1252 (platform/files/windows_1252.h),
// so that a list file reads the same on both, except that a text that is
// well-formed UTF-8 beyond ASCII is taken as UTF-8 (as earlier Linux versions
// wrote list and settings files).
std::string AnsiToPath(const std::string& ansi);
// Path text in the ANSI code page; false when a character has no form there.
bool PathToAnsi(const std::string& path, std::string& ansi);
// The characters of a UTF-8 text that the ANSI code page cannot hold (so
// neither can the list file's names), each once, in the order they first
// appear, each as its UTF-8 text; empty when the whole text has a form there.
// A character counts as held only when it comes back as itself: never as a
// look-alike ("best fit").
std::vector<std::string> CharactersNotInAnsi(const std::string& text);
// A UTF-8 text in the ANSI code page, with "?" in place of each character
// CharactersNotInAnsi names.
std::string TextToAnsi(const std::string& text);

// ---- FirstCharacters ----

// The first count characters of a path text (UTF-8), never splitting one:
// for buffers and limits that count characters.
inline std::string FirstCharacters(const std::string& text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t chars = 0; end < text.size(); ++end) {
        const bool continuation = (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80;
        if (!continuation && chars++ == count) break;
    }
    return text.substr(0, end);
}

}  // namespace pantrium::files
