// Number <-> text conversions used for prices and units.
#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace pantrium {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The integer after "&": &H hex, &B binary, &O, &Q or a bare "&" octal.
double RadixInteger(std::string_view s) {
    int base = 8;
    std::size_t i = 0;
    if (!s.empty()) {
        char c = s[0];
        if (c == 'H' || c == 'h') {
            base = 16;
            i = 1;
        } else if (c == 'B' || c == 'b') {
            base = 2;
            i = 1;
        } else if (c == 'O' || c == 'o' || c == 'Q' || c == 'q') {
            i = 1;
        }
    }
    double value = 0;
    for (; i < s.size(); ++i) {
        int d = DigitValue(s[i]);
        if (d < 0 || d >= base) break;
        value = value * base + d;
    }
    return value;
}

// Decimal digits and exponent of |value| rounded to `digits` significant
// digits: value = d.ddd x 10^exp, trailing zeros removed.
template <typename T>
void Significant(T value, int digits, std::string& mantissa, int& exp) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                             std::chars_format::scientific, digits - 1);
    std::string s(buf, res.ptr);
    std::size_t e = s.find('e');
    exp = std::atoi(s.c_str() + e + 1);
    mantissa.clear();
    for (std::size_t i = 0; i < e; ++i)
        if (s[i] != '.') mantissa += s[i];
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
}

constexpr double kMaxAmount = std::numeric_limits<float>::max();

// The digits d.ddd x 10^exp written without exponent, no zero before the point.
std::string PlainDigits(const std::string& m, int exp) {
    std::string fixed;
    if (exp >= 0) {
        std::size_t intDigits = static_cast<std::size_t>(exp) + 1;
        if (m.size() <= intDigits) {
            fixed = m + std::string(intDigits - m.size(), '0');
        } else {
            fixed = m.substr(0, intDigits);
            fixed += '.';
            fixed += m.substr(intDigits);
        }
    } else {
        fixed.assign(1, '.');
        fixed.append(static_cast<std::size_t>(-exp - 1), '0');
        fixed += m;
    }
    return fixed;
}

// No number is shown as Inf or NaN: NaN as 0, an infinite value as the largest of its type.
template <typename T>
T Finite(T value) {
    if (std::isnan(value)) return 0;
    if (std::isinf(value)) return std::copysign(std::numeric_limits<T>::max(), value);
    return value;
}

template <typename T>
std::string FormatNumber(T value, int digits) {
    value = Finite(value);
    std::string sign = value < 0 ? "-" : " ";
    if (value == 0) return " 0";
    std::string m;
    int exp = 0;
    Significant(value, digits, m, exp);

    const std::string fixed = PlainDigits(m, exp);

    std::string sci = m.substr(0, 1);
    if (m.size() > 1) {
        sci += '.';
        sci += m.substr(1);
    }
    int a = std::abs(exp);
    sci += exp < 0 ? "E-" : "E+";
    if (a < 10) sci += '0';
    sci += std::to_string(a);

    // Large values always in exponent form; small ones when that is shorter.
    bool useFixed = exp < digits && (exp >= 0 || fixed.size() <= sci.size());
    std::string out = sign;
    out += useFixed ? fixed : sci;
    return out;
}

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

namespace {

double ReadNumber(std::string_view text, bool radix) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
    if (i < n && text[i] == '&') return radix ? RadixInteger(text.substr(i + 1)) : 0;

    std::string buf;  // the number in the form from_chars reads
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') buf += '-';
        ++i;
    }
    bool point = false;
    std::size_t mantissaDigits = 0;
    for (; i < n; ++i) {
        char c = text[i];
        if (IsDigit(c)) {
            buf += c;
            ++mantissaDigits;
        } else if (c == '.' && !point) {
            point = true;
            buf += c;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < n && (text[j] == '+' || text[j] == '-')) exp += text[j++];
        std::size_t k = j;
        while (k < n && IsDigit(text[k])) ++k;
        if (k > j) buf += exp + std::string(text.substr(j, k - j));
    }
    double value = 0;
    auto res = std::from_chars(buf.data(), buf.data() + buf.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Overflow gives +-HUGE_VAL, underflow 0; buf holds only digits, '.', 'e' and signs.
        value = std::strtod(buf.c_str(), nullptr);
    }
    return value;
}

}  // namespace

double TextToNumber(std::string_view text) { return ReadNumber(text, true); }
double DecimalTextToNumber(std::string_view text) { return ReadNumber(text, false); }

std::string NumberToText(float value) { return FormatNumber(value, 7); }
std::string NumberToText(double value) { return FormatNumber(value, 15); }

std::string ShortNumber(float value) {
    std::string s = NumberToText(value);
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    std::size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

namespace {

// "#.00" of a finite value: rounded to `digits` significant digits first, so
// that a value such as 12.345 (held as 12.3449999...) rounds the way it reads,
// then half up to cents.
std::string MaskFrom(double value, int digits) {
    std::string cents = "0";
    if (value != 0) {
        std::string m;
        int exp = 0;
        Significant(value, digits, m, exp);
        int keep = exp + 3;  // digits down to the hundredths
        bool up = false;
        if (keep < 0) {
            m.clear();
        } else if (keep < static_cast<int>(m.size())) {
            up = m[static_cast<std::size_t>(keep)] >= '5';
            m.resize(static_cast<std::size_t>(keep));
        } else {
            m.append(static_cast<std::size_t>(keep) - m.size(), '0');
        }
        if (m.empty()) m.assign(1, '0');
        if (up) Increment(m);
        cents = m;
    }
    std::size_t nz = cents.find_first_not_of('0');
    cents = nz == std::string::npos ? "" : cents.substr(nz);
    bool negative = value < 0 && !cents.empty();
    if (cents.size() < 3) cents.insert(0, 3 - cents.size(), '0');
    std::string whole = cents.substr(0, cents.size() - 2);
    if (whole == "0") whole.clear();
    std::string out = negative ? "-" : "";
    out += whole;
    out += '.';
    out += cents.substr(cents.size() - 2);
    return out;
}

}  // namespace

std::string MoneyMask(float value) { return MoneyMask(AmountValue(value)); }
std::string MoneyMask(double value) { return MaskFrom(Finite(value), 15); }

std::string PlainNumber(float value) {
    value = ToAmount(value);
    if (value == 0) return " 0";
    // AmountValue has at most 9 significant digits: 15 give them all back.
    std::string m;
    int exp = 0;
    Significant(AmountValue(value), 15, m, exp);
    std::string text(1, value < 0 ? '-' : ' ');  // appended, not inserted: GCC 12 warns on the insert
    return text += PlainDigits(m, exp);
}

double AmountValue(float value) {
    value = ToAmount(value);
    // Whole numbers below 2^24 are their own shortest form (the common units).
    if (std::fabs(value) < 16777216.0f && value == std::trunc(value)) return value;
    // The shortest text that reads back as the value (of equally short
    // ones the nearest: 123456792, not 123456790).
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    double decimal = 0;
    std::from_chars(buf, res.ptr, decimal);
    return decimal;
}

float ToAmount(double value) {
    if (std::isnan(value)) return 0;
    if (value > kMaxAmount) return std::numeric_limits<float>::max();
    if (value < -kMaxAmount) return -std::numeric_limits<float>::max();
    return static_cast<float>(value);
}

double AmountCost(float price, float units) { return ClampAmount(AmountValue(price) * AmountValue(units)); }

double ClampAmount(double value) {
    if (std::isnan(value)) return 0;
    static const double largest = AmountValue(std::numeric_limits<float>::max());
    return std::clamp(value, -largest, largest);
}

double RoundHalfEven(double value) { return std::nearbyint(value); }

}  // namespace pantrium
