// Purchase dates: packed form, MM-DD-YY texts, today, Julian day numbers.
#include "dates.h"

#include <cmath>
#include <ctime>
#include <vector>

#include "number_text.h"

namespace pantrium {

std::string todayOverride;

namespace {

std::string TwoDigits(long v) {
    std::string s = std::to_string(v);
    if (s.size() < 2) s.insert(s.begin(), '0');
    return s.substr(s.size() - 2);
}

// The value of a text field as a whole number, kept in a safe int range. A
// date holds decimal numbers only: "&HC" is no number (0), not twelve.
int FieldValue(const std::string& text) {
    double v = RoundHalfEven(DecimalTextToNumber(text));
    if (!(v > -100000.0)) return -100000;
    if (v > 100000.0) return 100000;
    return static_cast<int>(v);
}

// The value of `len` characters from position pos (1-based); missing characters are absent.
int FixedField(const std::string& text, std::size_t pos, std::size_t len) {
    if (pos == 0 || pos > text.size()) return 0;
    return FieldValue(text.substr(pos - 1, len));
}

int LastTwo(const std::string& text) {
    return FieldValue(text.size() >= 2 ? text.substr(text.size() - 2) : text);
}

int JulianDay(int month, int day, int year) {
    if (year < 2000) year += 2000;
    if (month == 1 || month == 2) {
        month += 12;
        year -= 1;
    }
    // Integer division truncating as the formula wants for these ranges;
    // the floors are exact for years 2000 to 2099.
    int b = 2 - year / 100 + year / 400;
    long long jd = (static_cast<long long>(year) + 4716) * 1461 / 4 +
                   (static_cast<long long>(month) + 1) * 153 / 5 + day + b - 1524;
    return static_cast<int>(jd);
}

}  // namespace

std::string FormatPackedDate(PackedDate d) {
    int day = d & 31;
    if (day == 0) return "";
    int month = (d >> 5) & 15;
    int year = d >> 9;
    return TwoDigits(month) + "-" + TwoDigits(day) + "-" + TwoDigits(year);
}

int DaysInMonth(int month, int year) {
    switch (month) {
        case 1: case 3: case 5: case 7: case 8: case 10: case 12:
            return 31;
        case 4: case 6: case 9: case 11:
            return 30;
        case 2:
            return (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) ? 29 : 28;
        default:
            return 0;
    }
}

bool NormalizeDateText(std::string& text) {
    std::vector<std::string> fields(1);
    for (char c : text) {
        if (c == '-' || c == '/') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    fields.resize(std::max<std::size_t>(fields.size(), 3));
    int month = FieldValue(fields[0]);
    int day = FieldValue(fields[1]);
    int year = FieldValue(fields[2]);
    if (year >= 2000) year -= 2000;
    if (year < 0 || year > 99) return false;
    if (month < 1 || month > 12) return false;
    if (day < 1 || day > DaysInMonth(month, 2000 + year)) return false;
    text = TwoDigits(month) + "-" + TwoDigits(day) + "-" + TwoDigits(year);
    return true;
}

int DayNumber(const std::string& text) {
    return JulianDay(FixedField(text, 1, 2), FixedField(text, 4, 2), LastTwo(text));
}

int DayNumberOf(PackedDate d) { return JulianDay((d >> 5) & 15, d & 31, d >> 9); }

std::string TodayText() {
    if (!todayOverride.empty()) return todayOverride;
    std::time_t now = std::time(nullptr);
    const std::tm* t = std::localtime(&now);
    if (!t) return "01-01-2000";
    int year = t->tm_year + 1900;
    return TwoDigits(t->tm_mon + 1) + "-" + TwoDigits(t->tm_mday) + "-" + TwoDigits(year / 100) +
           TwoDigits(year % 100);
}

PackedDate PackDate(const std::string& normalized) {
    int month = FixedField(normalized, 1, 2);
    int day = FixedField(normalized, 4, 2);
    int year = LastTwo(normalized);
    return static_cast<PackedDate>((day & 31) + (month & 15) * 32 + (year & 127) * 512);
}

std::string LastBuyText(const ItemRecord& rec) {
    int count = 0;
    // A damaged (NaN) amount counts as 0 and ends the history, as for the auto list.
    while (count < kHistorySlots && ToAmount(rec.buyUnits[count]) != 0) ++count;
    if (count == 0) return "";
    return FormatPackedDate(rec.buyDate[count - 1]);
}

}  // namespace pantrium
