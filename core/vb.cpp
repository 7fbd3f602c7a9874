#include "core/vb.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vel {

double roundHalfEven(double v) {
    double r = std::floor(v);
    double diff = v - r;
    if (diff > 0.5) return r + 1;
    if (diff < 0.5) return r;
    return std::fmod(r, 2.0) == 0 ? r : r + 1;
}

std::string trimBlanks(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

std::string upperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::optional<double> parseNumber(const std::string& text) {
    std::string t = trimBlanks(text);
    if (t.empty()) return std::nullopt;
    std::size_t i = 0;
    if (t[i] == '+' || t[i] == '-') ++i;
    std::size_t digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t save = i++;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++expDigits;
        if (expDigits == 0) i = save;
    }
    if (i != t.size()) return std::nullopt;
    double v = std::strtod(t.c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

bool isNumeric(const std::string& text) { return parseNumber(text).has_value(); }

namespace {
template <class T>
std::optional<T> fitRounded(double v, double lo, double hi) {
    if (!std::isfinite(v)) return std::nullopt;
    double r = roundHalfEven(v);
    if (r < lo || r > hi) return std::nullopt;
    return static_cast<T>(r);
}
}  // namespace

std::optional<std::int16_t> toInt16(double v) { return fitRounded<std::int16_t>(v, -32768, 32767); }
std::optional<std::int32_t> toInt32(double v) { return fitRounded<std::int32_t>(v, -2147483648.0, 2147483647.0); }
std::optional<std::uint8_t> toByte(double v) { return fitRounded<std::uint8_t>(v, 0, 255); }

std::optional<std::int16_t> textToInt16(const std::string& text) {
    auto v = parseNumber(text);
    return v ? toInt16(*v) : std::nullopt;
}
std::optional<std::int32_t> textToInt32(const std::string& text) {
    auto v = parseNumber(text);
    return v ? toInt32(*v) : std::nullopt;
}
std::optional<std::uint8_t> textToByte(const std::string& text) {
    auto v = parseNumber(text);
    return v ? toByte(*v) : std::nullopt;
}

std::optional<bool> textToFlag(const std::string& text) {
    std::string t = upperAscii(trimBlanks(text));
    if (t == "TRUE") return true;
    if (t == "FALSE") return false;
    auto v = parseNumber(t);
    if (!v) return std::nullopt;
    return *v != 0;
}

Decimal4 Decimal4::fromDouble(double v) { return {static_cast<std::int64_t>(roundHalfEven(v * 10000.0))}; }

std::size_t Decimal4::write(char* out) const {
    const bool negative = raw < 0;
    // In unsigned arithmetic, so the most negative raw value has a magnitude too.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    std::uint64_t whole = magnitude / 10000;
    unsigned frac = static_cast<unsigned>(magnitude % 10000);
    char digits[20];
    std::size_t n = 0, len = 0;
    do {
        digits[n++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole);
    if (negative) out[len++] = '-';
    while (n) out[len++] = digits[--n];
    if (frac) {
        out[len++] = '.';
        for (unsigned place = 1000; frac; place /= 10) {
            out[len++] = static_cast<char>('0' + frac / place);
            frac %= place;
        }
    }
    return len;
}

std::string Decimal4::text() const {
    char buf[kMaxText];
    return std::string(buf, write(buf));
}

std::string formatNumber(double value, const std::string& pattern) {
    std::size_t dot = pattern.find('.');
    int intDigits = static_cast<int>(dot == std::string::npos ? pattern.size() : dot);
    int decimals = dot == std::string::npos ? 0 : static_cast<int>(pattern.size() - dot - 1);
    double scale = std::pow(10.0, decimals);
    // Half away from zero, on the decimal value the user sees.
    long double scaled = static_cast<long double>(value) * scale;
    long double rounded = std::floor(std::fabs(scaled) + 0.5L + 1e-9L);
    bool negative = value < 0 && rounded != 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0Lf", rounded);
    std::string digits = buf;
    while (static_cast<int>(digits.size()) < intDigits + decimals) digits = "0" + digits;
    std::string out = digits.substr(0, digits.size() - decimals);
    if (decimals) out += "." + digits.substr(digits.size() - decimals);
    return (negative ? "-" : "") + out;
}

namespace {
const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string two(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}
}  // namespace

std::string formatDate(const platform::SystemTime& t, const std::string& pattern, const DateNames& names) {
    const char* const* days = names.shortDays ? names.shortDays : kDays;
    const char* const* months = names.shortMonths ? names.shortMonths : kMonths;
    int dow = ((t.dayOfWeek % 7) + 7) % 7;
    int mon = t.month >= 1 && t.month <= 12 ? t.month - 1 : 0;
    if (pattern == "ddd") return days[dow];
    if (pattern == "mmm dd") return std::string(months[mon]) + " " + two(t.day);
    if (pattern == "yyyy") return std::to_string(t.year);
    if (pattern == "mm/dd/yy") return two(t.month) + "/" + two(t.day) + "/" + two(t.year % 100);
    if (pattern == "YYYY-MM-DD-hh") return std::to_string(t.year) + "-" + two(t.month) + "-" + two(t.day) + "-" + two(t.hour);
    if (pattern == "hh") return two(t.hour);
    if (pattern == "nn") return two(t.minute);
    if (pattern == "ss") return two(t.second);
    return pattern;
}

std::int32_t HexToDecimal(const std::string& text) {
    std::int32_t value = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const int digit = (c >= '0' && c <= '9') ? c - '0' : static_cast<int>(c) - 55;
        const double sum = static_cast<double>(value) + digit * std::pow(16.0, static_cast<double>(n - 1 - i));
        if (auto fits = toInt32(sum)) value = *fits;
    }
    return value;
}

}  // namespace vel
