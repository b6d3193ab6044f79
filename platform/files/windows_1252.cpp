// Windows-1252 <-> UTF-8 (windows_1252.h).
#include "platform/files/windows_1252.h"

#include <algorithm>

namespace pantrium::files::cp1252 {
namespace {

// 0x80..0x9F; the rest of the upper half is Latin-1, the same numbers.
constexpr char32_t k80To9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

char32_t CharacterOf(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? k80To9F[byte - 0x80] : byte; }

bool ByteOf(char32_t character, char& byte) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        byte = static_cast<char>(character);
        return true;
    }
    const auto* at = std::find(std::begin(k80To9F), std::end(k80To9F), character);
    if (at == std::end(k80To9F)) return false;
    byte = static_cast<char>(0x80 + (at - std::begin(k80To9F)));
    return true;
}

int Utf8At(std::string_view text, std::size_t i, char32_t& character) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = b(i);
    if (lead < 0x80) {
        character = lead;
        return 1;
    }
    const int length = lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || i + length > text.size()) return 0;
    char32_t c = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and numbers past the last character are no characters.
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < least[length] || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) return 0;
    character = c;
    return length;
}

bool IsUtf8BeyondAscii(std::string_view text) {
    bool beyond = false;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const int length = Utf8At(text, i, c);
        if (length == 0) return false;
        beyond |= length > 1;
        i += static_cast<std::size_t>(length);
    }
    return beyond;
}

std::string ToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char ch : ansi) AppendUtf8(out, CharacterOf(static_cast<unsigned char>(ch)));
    return out;
}

std::string FromUtf8(std::string_view utf8, std::vector<std::string>* lost) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0xFFFD;
        const int length = Utf8At(utf8, i, c);
        i += length > 0 ? static_cast<std::size_t>(length) : 1;
        char byte = 0;
        if (length > 0 && ByteOf(c, byte)) {
            out += byte;
            continue;
        }
        out += '?';
        if (!lost) continue;
        std::string character;
        AppendUtf8(character, length > 0 ? c : 0xFFFD);
        if (std::find(lost->begin(), lost->end(), character) == lost->end()) lost->push_back(character);
    }
    return out;
}

}  // namespace pantrium::files::cp1252
