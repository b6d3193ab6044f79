// Reading CSV text into rows of items (csv_table.h: ParseCsv).
#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <deque>

#include "csv_table.h"
#include "csv_text.h"
#include "dates.h"
#include "platform/files/windows_1252.h"

namespace pantrium {

using namespace csv;

namespace {

constexpr std::size_t kShownText = 30;  // a longer field is cut in a note

// ---- Reading fields ----

// Splits the bytes into rows and fields: RFC 4180, with CR LF, LF or CR as
// line ends, and lenient where the RFC is strict (text after a closing quote
// belongs to the field, a quote inside an unquoted field is a character).
// A field is a view of the bytes, or of its own copy where quotes were
// doubled; the views of a row hold until the next row is read.
class RowReader {
public:
    RowReader(std::string_view bytes, char sep, int firstLine) : s_(bytes), line_(firstLine) {
        stop_.fill(false);
        stop_[static_cast<unsigned char>(sep)] = stop_['\n'] = stop_['\r'] = true;
    }

    int line() const { return line_; }

    // Reads the next row into fields (their count in count). False at the end.
    // unclosed: the file ended inside a quoted field.
    bool Read(std::vector<std::string_view>& fields, std::size_t& count, bool& unclosed) {
        count = 0;
        unclosed = false;
        if (pos_ >= s_.size()) return false;
        for (;;) {
            if (count == fields.size()) {
                fields.emplace_back();
                copies_.emplace_back();
            }
            std::string_view& f = fields[count];
            std::string& copy = copies_[count];
            ++count;
            if (s_[pos_] == '"') {
                unclosed = !ReadQuoted(f, copy);
                const std::size_t start = pos_;
                SkipPlain();
                if (pos_ > start) {  // text after the closing quote
                    if (f.data() != copy.data()) copy.assign(f);
                    copy.append(s_.data() + start, pos_ - start);
                    f = copy;
                }
            } else {
                const std::size_t start = pos_;
                SkipPlain();
                f = s_.substr(start, pos_ - start);
            }
            if (pos_ >= s_.size()) return true;
            const char c = s_[pos_++];
            if (c != '\n' && c != '\r') {  // the separator
                if (pos_ < s_.size()) continue;
                // a separator at the very end: one more, empty field
                if (count == fields.size()) {
                    fields.emplace_back();
                    copies_.emplace_back();
                }
                fields[count++] = std::string_view();
                return true;
            }
            if (c == '\r' && pos_ < s_.size() && s_[pos_] == '\n') ++pos_;
            ++line_;
            return true;
        }
    }

private:
    // Up to the separator or the line end.
    void SkipPlain() {
        while (pos_ < s_.size() && !stop_[static_cast<unsigned char>(s_[pos_])]) ++pos_;
    }

    // From the opening quote past the closing one; false when there is none.
    bool ReadQuoted(std::string_view& f, std::string& copy) {
        const std::size_t start = ++pos_;
        bool copied = false;
        for (;;) {
            const std::size_t q = s_.find('"', pos_);
            const std::size_t end = q == std::string_view::npos ? s_.size() : q;
            CountLines(pos_, end);
            if (copied) copy.append(s_.data() + pos_, end - pos_);
            if (q != std::string_view::npos && q + 1 < s_.size() && s_[q + 1] == '"') {  // a doubled quote
                if (!copied) copy.assign(s_.data() + start, q - start);
                copied = true;
                copy += '"';
                pos_ = q + 2;
                continue;
            }
            f = copied ? std::string_view(copy) : s_.substr(start, end - start);
            pos_ = q == std::string_view::npos ? s_.size() : q + 1;
            return q != std::string_view::npos;
        }
    }

    void CountLines(std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            if (s_[i] == '\n') ++line_;
            else if (s_[i] == '\r' && (i + 1 >= s_.size() || s_[i + 1] != '\n')) ++line_;
        }
    }

    std::string_view s_;
    std::array<bool, 256> stop_;
    std::deque<std::string> copies_;  // a deque: a new field never moves the copies the row's views show
    std::size_t pos_ = 0;
    int line_;
};

// The separator the header line uses most outside quotes: ",", ";" or a tab.
char DetectSeparator(std::string_view bytes) {
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (char c : bytes) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\r' || c == '\n') break;
        commas += c == ',';
        semicolons += c == ';';
        tabs += c == '\t';
    }
    if (semicolons > commas && semicolons >= tabs) return ';';
    if (tabs > commas && tabs > semicolons) return '\t';
    return ',';
}

// The column a header name stands for, -1 for none.
int ColumnOfName(std::string_view name) {
    std::string lower;
    for (char c : Trimmed(name)) lower += LowerAscii(c);
    for (int c = 0; c < kCsvColumns; ++c) {
        std::string header;
        for (const char* p = kCsvHeader[c]; *p; ++p) header += LowerAscii(*p);
        if (lower == header) return c;
    }
    // The item editor's own words.
    if (lower == "name" || lower == "grocery item") return kColItem;
    if (lower == "unit descr" || lower == "unit description") return kColUnit;
    if (lower == "price/unit" || lower == "price per unit") return kColPrice;
    return -1;
}

// ---- Reading values ----

enum class NumberRead { Ok, NotANumber, OutOfRange };

// Empty is 0. A decimal comma is taken where "," does not separate fields.
NumberRead ReadAmount(std::string_view text, char sep, float& value) {
    value = 0;
    if (text.empty()) return NumberRead::Ok;
    text = Trimmed(text);
    if (text.empty()) return NumberRead::Ok;
    if (text.front() == '+') text.remove_prefix(1);
    char buf[64];
    if (sep != ',' && text.size() < sizeof buf && text.find('.') == std::string_view::npos &&
        std::count(text.begin(), text.end(), ',') == 1) {
        std::memcpy(buf, text.data(), text.size());
        *std::find(buf, buf + text.size(), ',') = '.';
        text = std::string_view(buf, text.size());
    }
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range) return NumberRead::OutOfRange;
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return NumberRead::NotANumber;
    return NumberRead::Ok;
}

bool ReadMark(std::string_view text, bool& on) {
    if (text == "no" || text == "yes" || text.empty()) {  // as written by the export
        on = text == "yes";
        return true;
    }
    text = Trimmed(text);
    char lower[8];
    if (text.size() > sizeof lower) return false;
    for (std::size_t i = 0; i < text.size(); ++i) lower[i] = LowerAscii(text[i]);
    const std::string_view word(lower, text.size());
    for (std::string_view yes : {"yes", "y", "1", "true", "x"}) {
        if (word == yes) {
            on = true;
            return true;
        }
    }
    for (std::string_view no : {"", "no", "n", "0", "false"}) {
        if (word == no) {
            on = false;
            return true;
        }
    }
    return false;
}

// YYYY-MM-DD (also with "/" or "."), D.M.YYYY, M/D/YYYY or M-D-YY; empty is 0.
bool ReadDate(std::string_view text, PackedDate& date) {
    date = 0;
    if (text.empty()) return true;
    text = Trimmed(text);
    if (text.empty()) return true;
    int part[3] = {};
    std::size_t digits[3] = {};
    char sep = 0;
    std::size_t i = 0;
    for (int p = 0; p < 3; ++p) {
        if (p > 0) {
            if (i >= text.size()) return false;
            if (p == 1) sep = text[i];
            if (text[i] != sep || (sep != '-' && sep != '/' && sep != '.')) return false;
            ++i;
        }
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && digits[p] < 4; ++i, ++digits[p])
            part[p] = part[p] * 10 + (text[i] - '0');
        if (digits[p] == 0) return false;
    }
    if (i != text.size()) return false;
    int year, month, day;
    if (digits[0] == 4) {
        year = part[0], month = part[1], day = part[2];
    } else {
        if (digits[2] != 2 && digits[2] != 4) return false;
        // Day first with dots (07.03.2024), month first otherwise (3/7/2024, 03-07-24).
        if (sep == '.') day = part[0], month = part[1];
        else month = part[0], day = part[1];
        year = digits[2] == 2 ? 2000 + part[2] : part[2];
    }
    if (year < 2000 || year > 2099 || month < 1 || month > 12) return false;
    if (day < 1 || day > DaysInMonth(month, year)) return false;
    date = static_cast<PackedDate>(day | (month << 5) | ((year - 2000) << 9));
    return true;
}

std::string ColumnWords(int column) {
    std::string words;
    for (const char* p = kCsvHeader[column]; *p; ++p) words += LowerAscii(*p);
    return words;
}

// The file's own field for a note: UTF-8, cut when long.
std::string Shown(std::string_view field, bool utf8, const CsvTextCoding& coding) {
    std::string text = utf8 || IsAscii(field) ? std::string(field) : coding.ansiToUtf8(std::string(field));
    if (text.size() > kShownText) {
        std::size_t cut = kShownText;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        text = text.substr(0, cut) + "...";
    }
    return "\"" + text + "\"";
}

// Reads the rows after the header.
class RowParser {
public:
    RowParser(const CsvTextCoding& coding, bool utf8, char sep, const int (&columnAt)[kCsvColumns])
        : coding_(coding), utf8_(utf8), sep_(sep), columnAt_(columnAt) {
        for (int c = 0; c < kCsvColumns; ++c)
            if (columnAt_[c] >= 0) given_ |= 1u << c;
    }

    // The row's item, or false and the reason in why.
    // replaced: the first field (as the file has it) whose letters the ANSI
    // code page lacks, empty when there is none.
    bool Parse(const std::vector<std::string_view>& fields, std::size_t count, CsvItem& item, std::string& why,
               std::string& replaced) {
        fields_ = &fields;
        count_ = count;
        replaced.clear();
        item.given = given_;  // item comes value-initialised
        if (!Text(kColCategory, item.category, why, replaced) || !Text(kColItem, item.rec.itemName, why, replaced) ||
            !Text(kColUnit, item.rec.unitDescr, why, replaced))
            return false;
        if (WithoutTrailingBlanks(std::string_view(item.rec.itemName, kTextField)).empty()) {
            why = "the item has no name";
            return false;
        }
        // The record is packed: its fields are written whole, never bound to a reference.
        float amount = 0;
        if (!Amount(kColPrice, amount, why)) return false;
        item.rec.pricePerUnit = amount;
        if (!Amount(kColUnitsToBuy, amount, why)) return false;
        item.rec.unitsToBuy = amount;
        const std::pair<int, std::uint8_t> marks[] = {
            {kColOnList, kToBuy}, {kColOneTimeBuy, kSpecialBuy}, {kColAutoListed, kAutoListed}};
        for (const auto& [column, bit] : marks) {
            bool on = false;
            if (!ReadMark(Field(column), on)) {
                why = ColumnWords(column) + " " + ShownField(column) + " is not yes or no";
                return false;
            }
            item.rec.SetFlag(bit, on);
        }
        for (int slot = 0; slot < kHistorySlots; ++slot) {
            PackedDate date = 0;
            if (!ReadDate(Field(DateColumn(slot)), date)) {
                why = ColumnWords(DateColumn(slot)) + " " + ShownField(DateColumn(slot)) +
                      " is not a date from 2000 to 2099";
                return false;
            }
            item.rec.buyDate[slot] = date;
            if (!Amount(UnitsColumn(slot), amount, why)) return false;
            item.rec.buyUnits[slot] = amount;
        }
        return true;
    }

private:
    std::string_view Field(int column) const {
        const int at = columnAt_[column];
        return at >= 0 && static_cast<std::size_t>(at) < count_ ? (*fields_)[at] : std::string_view();
    }
    std::string ShownField(int column) const { return Shown(Field(column), utf8_, coding_); }

    // A text field into its stored form; trailing blanks are padding anyway.
    // A NUL byte ends the text, as it ends it wherever a name is shown or exported.
    bool Text(int column, char (&out)[kTextField], std::string& why, std::string& replaced) {
        std::string_view text = Field(column);
        text = WithoutTrailingBlanks(text.substr(0, text.find('\0')));
        if (utf8_ && !IsAscii(text)) {
            if (!coding_.utf8ToAnsi(std::string(text), ansi_) && replaced.empty())
                replaced = ColumnWords(column) + " " + ShownField(column);
            text = WithoutTrailingBlanks(ansi_);
        }
        if (text.size() > static_cast<std::size_t>(kTextField)) {
            why = ColumnWords(column) + " " + ShownField(column) + " is longer than " +
                  std::to_string(kTextField) + " characters";
            return false;
        }
        if (!text.empty()) std::memcpy(out, text.data(), text.size());
        std::memset(out + text.size(), ' ', kTextField - text.size());
        return true;
    }

    bool Amount(int column, float& value, std::string& why) {
        switch (ReadAmount(Field(column), sep_, value)) {
        case NumberRead::Ok: return true;
        case NumberRead::NotANumber: why = ColumnWords(column) + " " + ShownField(column) + " is not a number"; break;
        case NumberRead::OutOfRange: why = ColumnWords(column) + " " + ShownField(column) + " is out of range"; break;
        }
        return false;
    }

    const CsvTextCoding& coding_;
    bool utf8_;
    char sep_;
    const int (&columnAt_)[kCsvColumns];
    std::uint32_t given_ = 0;
    const std::vector<std::string_view>* fields_ = nullptr;
    std::size_t count_ = 0;
    std::string ansi_;
};

bool Blank(const std::vector<std::string_view>& fields, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (!Trimmed(fields[i]).empty()) return false;
    return true;
}

}  // namespace

CsvFile ParseCsv(std::string_view bytes, const CsvTextCoding& coding) {
    CsvFile file;
    // UTF-8 after the mark, and without it when the whole file is UTF-8 beyond
    // ASCII (as LibreOffice saves it; ANSI text of real words never is); else ANSI.
    bool utf8 = bytes.starts_with(kBom);
    if (utf8) bytes.remove_prefix(kBom.size());
    else utf8 = files::cp1252::IsUtf8BeyondAscii(bytes);
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        file.problem = "it is UTF-16 text; save it as CSV (UTF-8 or ANSI)";
        return file;
    }
    // The header: the first line that is not blank. A first line "sep=;" (which
    // Excel understands) names the separator instead.
    std::size_t skip = 0;
    while (skip < bytes.size() && (bytes[skip] == '\r' || bytes[skip] == '\n')) ++skip;
    char sep = DetectSeparator(bytes.substr(skip));
    int lineOffset = 0;
    if (bytes.substr(skip, 4) == "sep=" && skip + 5 <= bytes.size() &&
        (skip + 5 == bytes.size() || bytes[skip + 5] == '\r' || bytes[skip + 5] == '\n')) {
        sep = bytes[skip + 4];
        std::size_t end = skip + 5;
        if (end < bytes.size() && bytes[end] == '\r') ++end;
        if (end < bytes.size() && bytes[end] == '\n') ++end;
        lineOffset = static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(skip),
                                                 '\n')) + 1;
        bytes.remove_prefix(end);
    }
    RowReader reader(bytes, sep, 1 + lineOffset);
    std::vector<std::string_view> fields;
    std::size_t count = 0;
    bool unclosed = false;
    int columnAt[kCsvColumns];
    std::fill(std::begin(columnAt), std::end(columnAt), -1);
    bool header = false;
    while (!header && reader.Read(fields, count, unclosed)) {
        if (Blank(fields, count)) continue;
        header = true;
        for (std::size_t i = 0; i < count; ++i) {
            const int c = ColumnOfName(fields[i]);
            if (c >= 0 && columnAt[c] < 0) columnAt[c] = static_cast<int>(i);
        }
    }
    if (!header) {
        file.problem = "it holds no lines";
        return file;
    }
    if (columnAt[kColItem] < 0) {
        file.problem = "its first line names no \"Item\" column";
        return file;
    }

    RowParser parser(coding, utf8, sep, columnAt);
    // Rows are rarely shorter than 40 bytes; the room asked for and not used is never touched.
    file.items.reserve(bytes.size() / 40 + 16);
    std::string why, replacedField;
    for (;;) {
        const int line = reader.line();
        if (!reader.Read(fields, count, unclosed)) break;
        if (unclosed) {
            file.skipped.push_back({line, LinePrefix(line) + "a quoted field has no closing quote"});
            continue;
        }
        if (Blank(fields, count)) continue;
        CsvItem& item = file.items.emplace_back();
        if (!parser.Parse(fields, count, item, why, replacedField)) {
            file.items.pop_back();
            file.skipped.push_back({line, LinePrefix(line) + why});
            continue;
        }
        item.line = line;
        if (!replacedField.empty()) file.replaced.push_back({line, LinePrefix(line) + replacedField});
    }
    return file;
}

}  // namespace pantrium
