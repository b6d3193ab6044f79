// CSV export and import of the item table (csv_table.h).
#include "csv_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "dates.h"

namespace pantrium {

const char* const kCsvHeader[kCsvColumns] = {
    "Category",        "Item",             "Unit",            "Price",
    "Units to buy",    "On list",          "One-time buy",    "Auto-listed",
    "Purchase 1 date", "Purchase 1 units", "Purchase 2 date", "Purchase 2 units",
    "Purchase 3 date", "Purchase 3 units", "Purchase 4 date", "Purchase 4 units",
    "Purchase 5 date", "Purchase 5 units"};

namespace {

enum Column : int {
    kColCategory, kColItem, kColUnit, kColPrice, kColUnitsToBuy, kColOnList, kColOneTimeBuy, kColAutoListed,
    kColFirstPurchase
};
constexpr int DateColumn(int slot) { return kColFirstPurchase + 2 * slot; }
constexpr int UnitsColumn(int slot) { return kColFirstPurchase + 2 * slot + 1; }

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::size_t kShownText = 30;  // a longer field is cut in a note

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// ---- Export ----

// A stored text field as the list shows it: up to a NUL, without the padding.
std::string_view FieldValue(const char* field, std::size_t size) {
    std::string_view text(field, size);
    text = text.substr(0, text.find('\0'));
    return WithoutTrailingBlanks(text);
}

void AppendText(std::string& out, std::string_view text) {
    const bool quote = text.find_first_of(",;\"\r\n\t") != std::string_view::npos ||
                       (!text.empty() && text.front() == ' ');
    if (!quote) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendAnsi(std::string& out, std::string_view ansi, const CsvTextCoding& coding) {
    if (IsAscii(ansi)) AppendText(out, ansi);
    else AppendText(out, coding.ansiToUtf8(std::string(ansi)));
}

// The shortest text that reads back as the same single-precision value.
void AppendNumber(std::string& out, float value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

void AppendTwoDigits(std::string& out, unsigned v) {
    out += static_cast<char>('0' + v / 10 % 10);
    out += static_cast<char>('0' + v % 10);
}

// YYYY-MM-DD; empty for an unused slot (day 0).
void AppendDate(std::string& out, PackedDate d) {
    if ((d & 31) == 0) return;
    const unsigned year = 2000 + (d >> 9);
    AppendTwoDigits(out, year / 100);
    AppendTwoDigits(out, year);
    out += '-';
    AppendTwoDigits(out, (d >> 5) & 15);
    out += '-';
    AppendTwoDigits(out, d & 31);
}

// ---- Reading fields ----

// Splits the bytes into rows and fields: RFC 4180, with CR LF, LF or CR as
// line ends, and lenient where the RFC is strict (text after a closing quote
// belongs to the field, a quote inside an unquoted field is a character).
// A field is a view of the bytes, or of its own copy where quotes were
// doubled; the views of a row hold until the next row is read.
class RowReader {
public:
    RowReader(std::string_view bytes, char sep) : s_(bytes) {
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
    std::vector<std::string> copies_;
    std::size_t pos_ = 0;
    int line_ = 1;
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
    } else if (sep == '.') {
        day = part[0], month = part[1], year = part[2];
        if (digits[2] != 2 && digits[2] != 4) return false;
    } else {
        month = part[0], day = part[1], year = part[2];
        if (digits[2] != 2 && digits[2] != 4) return false;
    }
    if (digits[0] == 4 ? false : digits[2] == 2) year += 2000;
    if (year < 2000 || year > 2099 || month < 1 || month > 12) return false;
    if (day < 1 || day > DaysInMonth(month, year)) return false;
    date = static_cast<PackedDate>(day | (month << 5) | ((year - 2000) << 9));
    return true;
}

std::string LinePrefix(int line) { return "line " + std::to_string(line) + ": "; }

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
        if (!Amount(kColPrice, item.rec.pricePerUnit, why) || !Amount(kColUnitsToBuy, item.rec.unitsToBuy, why))
            return false;
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
            if (!ReadDate(Field(DateColumn(slot)), item.rec.buyDate[slot])) {
                why = ColumnWords(DateColumn(slot)) + " " + ShownField(DateColumn(slot)) +
                      " is not a date from 2000 to 2099";
                return false;
            }
            if (!Amount(UnitsColumn(slot), item.rec.buyUnits[slot], why)) return false;
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
    bool Text(int column, char (&out)[kTextField], std::string& why, std::string& replaced) {
        std::string_view text = WithoutTrailingBlanks(Field(column));
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
        std::memcpy(out, text.data(), text.size());
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

// ---- Merging ----

std::string StoredForm(const std::string& name) {
    char field[kTextField];
    StoreTextField(field, name);
    return std::string(field, kTextField);
}

std::string Folded(std::string_view stored) {
    std::string out(stored);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

// Takes the given columns of a file row into an item's record.
void TakeColumns(const CsvItem& item, ItemRecord& rec) {
    const ItemRecord& in = item.rec;
    auto has = [&](int column) { return (item.given >> column) & 1u; };
    if (has(kColUnit)) std::memcpy(rec.unitDescr, in.unitDescr, kTextField);
    if (has(kColPrice)) rec.pricePerUnit = in.pricePerUnit;
    if (has(kColUnitsToBuy)) rec.unitsToBuy = in.unitsToBuy;
    if (has(kColOnList)) rec.SetFlag(kToBuy, in.toBuy());
    if (has(kColOneTimeBuy)) rec.SetFlag(kSpecialBuy, in.specialBuy());
    if (has(kColAutoListed)) rec.SetFlag(kAutoListed, in.autoListed());
    for (int slot = 0; slot < kHistorySlots; ++slot) {
        if (has(DateColumn(slot))) rec.buyDate[slot] = in.buyDate[slot];
        if (has(UnitsColumn(slot))) rec.buyUnits[slot] = in.buyUnits[slot];
    }
}

// Categories by their stored name: the first equal name, else the first of
// the table's own that is equal with letter case aside (a file that names
// both "Fish" and "fish" gets both). New names are views of the file's rows.
class CategoryIndex {
public:
    explicit CategoryIndex(const ItemTable& table) {
        stored_.reserve(static_cast<std::size_t>(table.catgCount));
        for (int k = 1; k <= table.catgCount; ++k) {
            stored_.push_back(StoredForm(table.catgNames[k]));
            exact_.emplace(stored_.back(), k);
            folded_.emplace(Folded(stored_.back()), k);
        }
    }
    int Find(std::string_view stored) {
        if (stored == last_) return lastNumber_;  // rows of one category often follow each other
        auto found = exact_.find(stored);
        int k = 0;
        if (found != exact_.end()) {
            k = found->second;
        } else if (auto folded = folded_.find(Folded(stored)); folded != folded_.end()) {
            k = folded->second;
        }
        if (k) last_ = stored, lastNumber_ = k;
        return k;
    }
    void AddNew(std::string_view stored, int k) { exact_.emplace(stored, k); }

private:
    std::vector<std::string> stored_;  // the table's names as stored, which exact_ views
    std::unordered_map<std::string_view, int> exact_;
    std::unordered_map<std::string, int> folded_;
    std::string_view last_;
    int lastNumber_ = 0;
};

// The table's items by identity: the first in row order not yet taken by a
// row of the file, then the next of the same identity. Open addressing in
// one array: a lookup costs one or two cache lines, not a node chase.
class ItemIndex {
public:
    explicit ItemIndex(const ItemTable& table) : table_(table), next_(static_cast<std::size_t>(table.itemCount) + 1, 0) {
        std::size_t size = 16;
        while (size < 2 * static_cast<std::size_t>(table.itemCount)) size *= 2;
        slots_.assign(size, Slot{});
        for (int r = table.itemCount; r >= 1; --r) {
            const int k = table.rowOrder[r];
            const ItemRecord& rec = table.records[k];
            Slot& slot = Find(Hash(rec.catg, rec.itemName), rec.catg, rec.itemName);
            if (slot.head == 0) slot.identity = k;  // a new identity; head 0 marks the end
            next_[k] = slot.head;
            slot.head = k;
            slot.used = true;
        }
    }
    // The record a row of this identity takes, 0 when none is left.
    int Take(std::uint8_t catg, const char (&name)[kTextField]) {
        if (table_.itemCount == 0) return 0;
        Slot& slot = Find(Hash(catg, name), catg, name);
        const int k = slot.head;
        if (k) slot.head = next_[k];
        return k;
    }

private:
    struct Slot {
        std::uint64_t hash = 0;
        int identity = 0;  // a record of this identity, for comparing
        int head = 0;      // the next record to take
        bool used = false;
    };
    static std::uint64_t Hash(std::uint8_t catg, const char (&name)[kTextField]) {
        std::uint64_t h = 0x9E3779B97F4A7C15ull ^ catg;
        std::uint64_t w[3] = {};
        std::memcpy(w, name, kTextField);
        for (std::uint64_t v : w) h = (h ^ v) * 0xFF51AFD7ED558CCDull, h ^= h >> 32;
        return h;
    }
    Slot& Find(std::uint64_t hash, std::uint8_t catg, const char (&name)[kTextField]) {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (!slot.used) {
                slot.hash = hash;
                return slot;
            }
            if (slot.hash != hash) continue;
            const ItemRecord& rec = table_.records[slot.identity];
            if (rec.catg == catg && std::memcmp(rec.itemName, name, kTextField) == 0) return slot;
        }
    }

    const ItemTable& table_;
    std::vector<Slot> slots_;
    std::vector<int> next_;
};

CsvImportCounts Merge(const ItemTable& table, const CsvFile& file, const CsvLimits& limits, ItemTable* apply) {
    CsvImportCounts counts;
    counts.skipped = file.skipped;
    CategoryIndex categories(table);
    ItemIndex items(table);
    std::vector<std::string_view> newCategories;
    const int before = table.itemCount;
    const std::string_view none = "                    ";
    static_assert(sizeof "                    " == kTextField + 1);

    std::vector<std::pair<int, ItemRecord>> updates;
    // New items go straight after the table's records (records above n are unused).
    if (apply) {
        apply->records.resize(static_cast<std::size_t>(before) + 1);
        apply->records.reserve(static_cast<std::size_t>(before) + 1 + file.items.size());
    }
    for (const CsvItem& item : file.items) {
        const std::string_view category(item.category, kTextField);
        int catg = category == none ? 0 : categories.Find(category);
        const bool newCategory = category != none && catg == 0;
        const int record = newCategory ? 0 : items.Take(static_cast<std::uint8_t>(catg), item.rec.itemName);
        if (record) {
            ItemRecord rec = table.records[record];
            TakeColumns(item, rec);
            if (std::memcmp(&rec, &table.records[record], sizeof rec) == 0) {
                ++counts.unchanged;
            } else {
                ++counts.changed;
                if (apply) updates.emplace_back(record, rec);
            }
            continue;
        }
        if (before + static_cast<std::int64_t>(counts.added) >= limits.maxItems) {
            counts.skipped.push_back({item.line, LinePrefix(item.line) + "the list holds the most items it can (" +
                                                     std::to_string(limits.maxItems) + ")"});
            continue;
        }
        if (newCategory) {
            if (table.catgCount + static_cast<int>(newCategories.size()) >= limits.maxCategories) {
                counts.skipped.push_back({item.line, LinePrefix(item.line) + "category \"" +
                                                         std::string(WithoutTrailingBlanks(category)) +
                                                         "\" would be one more than the " +
                                                         std::to_string(limits.maxCategories) +
                                                         " categories a list can hold"});
                continue;
            }
            newCategories.push_back(category);
            catg = table.catgCount + static_cast<int>(newCategories.size());
            categories.AddNew(category, catg);
        }
        ++counts.added;
        // A new item: what the file lacks is blank or 0.
        if (apply) apply->records.push_back(item.rec), apply->records.back().catg = static_cast<std::uint8_t>(catg);
    }
    std::stable_sort(counts.skipped.begin(), counts.skipped.end(),
                     [](const CsvNote& a, const CsvNote& b) { return a.line < b.line; });
    counts.newCategories = static_cast<int>(newCategories.size());
    if (!apply || counts.added + counts.changed == 0) return counts;

    ItemTable& t = *apply;
    for (auto& [record, rec] : updates) t.records[record] = rec;
    for (std::string_view name : newCategories) {
        t.catgNames.resize(static_cast<std::size_t>(t.catgCount) + 1);
        t.catgNames.emplace_back(WithoutTrailingBlanks(name));
        ++t.catgCount;
    }
    if (counts.added) {
        // Each new row before the first existing row whose sort key is greater.
        std::vector<std::int32_t> rows;
        rows.reserve(static_cast<std::size_t>(before + counts.added) + 1);
        rows.push_back(0);
        int r = 1;
        for (int k = before + 1; k <= before + counts.added; ++k) {
            if (r <= before) {
                const std::string key = SortKey(t.records[k]);
                while (r <= before && SortKey(t.records[t.rowOrder[r]]) <= key) rows.push_back(t.rowOrder[r++]);
            }
            rows.push_back(k);
        }
        while (r <= before) rows.push_back(t.rowOrder[r++]);
        t.rowOrder = std::move(rows);
        t.itemCount = before + counts.added;
    }
    t.modified = true;
    if (t.snapshot.taken) t.snapshot.mergedSince = true;
    t.pendingRefresh = 0;
    return counts;
}

}  // namespace

CsvTextCoding SameBytesCoding() {
    return {[](const std::string& ansi) { return ansi; },
            [](const std::string& utf8, std::string& ansi) {
                ansi = utf8;
                return true;
            }};
}

std::string TableToCsv(const ItemTable& table, const CsvTextCoding& coding) {
    std::string out(kBom);
    out.reserve(static_cast<std::size_t>(table.itemCount) * 96 + 256);
    for (int c = 0; c < kCsvColumns; ++c) {
        if (c) out += ',';
        out += kCsvHeader[c];
    }
    out += "\r\n";
    for (int r = 1; r <= table.itemCount; ++r) {
        const ItemRecord& rec = table.records[table.rowOrder[r]];
        if (rec.catg >= 1 && rec.catg <= table.catgCount) {
            const std::string& name = table.catgNames[rec.catg];
            // The list file keeps 20 bytes of a category name.
            AppendAnsi(out, FieldValue(name.data(), std::min<std::size_t>(name.size(), kTextField)), coding);
        }
        out += ',';
        AppendAnsi(out, FieldValue(rec.itemName, kTextField), coding);
        out += ',';
        AppendAnsi(out, FieldValue(rec.unitDescr, kTextField), coding);
        out += ',';
        AppendNumber(out, rec.pricePerUnit);
        out += ',';
        AppendNumber(out, rec.unitsToBuy);
        out += rec.toBuy() ? ",yes" : ",no";
        out += rec.specialBuy() ? ",yes" : ",no";
        out += rec.autoListed() ? ",yes" : ",no";
        for (int slot = 0; slot < kHistorySlots; ++slot) {
            out += ',';
            AppendDate(out, rec.buyDate[slot]);
            out += ',';
            // Both empty for an unused slot.
            if (rec.buyDate[slot] & 31 || rec.buyUnits[slot] != 0 || std::signbit(rec.buyUnits[slot]))
                AppendNumber(out, rec.buyUnits[slot]);
        }
        out += "\r\n";
    }
    return out;
}

CsvFile ParseCsv(std::string_view bytes, const CsvTextCoding& coding) {
    CsvFile file;
    const bool utf8 = bytes.starts_with(kBom);
    if (utf8) bytes.remove_prefix(kBom.size());
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        file.problem = "it is UTF-16 text; save it as CSV (UTF-8 or ANSI)";
        return file;
    }
    // The header: the first line that is not blank.
    std::size_t skip = 0;
    while (skip < bytes.size() && (bytes[skip] == '\r' || bytes[skip] == '\n')) ++skip;
    const char sep = DetectSeparator(bytes.substr(skip));
    RowReader reader(bytes, sep);
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

CsvImportCounts PlanCsvImport(const ItemTable& table, const CsvFile& file, const CsvLimits& limits) {
    return Merge(table, file, limits, nullptr);
}

CsvImportCounts ApplyCsvImport(ItemTable& table, const CsvFile& file, const CsvLimits& limits) {
    return Merge(table, file, limits, &table);
}

}  // namespace pantrium
