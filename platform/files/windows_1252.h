// Windows-1252, the ANSI code page of a Western Windows. The Linux program
// keeps list text in it too, so that a list file shared by a Windows PC and
// a Linux PC reads the same on both, one byte a character as the file holds it.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pantrium::files::cp1252 {

// The character of a byte. The five bytes the code page leaves free stand
// for the control characters of the same number, as Windows reads them.
char32_t CharacterOf(unsigned char byte);

// The byte of a character; false when the code page has none.
bool ByteOf(char32_t character, char& byte);

// The length of the UTF-8 sequence at text[i] and its character; 0 when the
// byte starts none (a stray or cut sequence, or an overlong form).
int Utf8At(std::string_view text, std::size_t i, char32_t& character);

// True when the text holds a character beyond ASCII and all of it is
// well-formed UTF-8.
bool IsUtf8BeyondAscii(std::string_view text);

std::string ToUtf8(std::string_view ansi);

// UTF-8 text in the code page: "?" for each character it lacks (and for a
// byte that starts no UTF-8 sequence); lost, when given, gets those
// characters, each once in the order they first appear (U+FFFD for a stray
// byte).
std::string FromUtf8(std::string_view utf8, std::vector<std::string>* lost = nullptr);

}  // namespace pantrium::files::cp1252
