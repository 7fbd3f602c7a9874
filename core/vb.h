// The number rules every subsystem shares: rounding halves to even,
// conversions that fail on overflow or empty text, a four-place fixed-point
// decimal, and the format patterns the program's texts use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace vel {

// Nearest integer, halves to the even integer.
double roundHalfEven(double v);

// Parses decimal number text as the classic conversions accept it: blanks
// around, a sign, digits, a decimal point, an exponent. Empty text fails.
std::optional<double> parseNumber(const std::string& text);
bool isNumeric(const std::string& text);

// Conversions that fail (nullopt) when the value does not fit the type.
std::optional<std::int16_t> toInt16(double v);
std::optional<std::int32_t> toInt32(double v);
std::optional<std::uint8_t> toByte(double v);
std::optional<std::int16_t> textToInt16(const std::string& text);
std::optional<std::int32_t> textToInt32(const std::string& text);
std::optional<std::uint8_t> textToByte(const std::string& text);
// A flag: "True"/"False" or any number, 0 being false.
std::optional<bool> textToFlag(const std::string& text);

// Value of a text of hexadecimal digits, most significant first: '0'-'9'
// count their digit, any other character its code minus 55 ("A" = 10).
// A step whose sum no longer fits 32 bits is skipped. "" gives 0.
std::int32_t HexToDecimal(const std::string& text);

// Fixed-point decimal with four places: raw = value * 10000.
struct Decimal4 {
    std::int64_t raw = 0;
    static Decimal4 fromDouble(double v);  // rounds to four places, halves to even
    double toDouble() const { return static_cast<double>(raw) / 10000.0; }
    // Plain text without trailing zeros ("43.5", "43", "0.1234").
    std::string text() const;
    // The same text into a buffer of at least kMaxText chars, without the
    // heap; returns its length.
    static constexpr std::size_t kMaxText = 26;
    std::size_t write(char* out) const;
    friend Decimal4 operator+(Decimal4 a, Decimal4 b) { return {a.raw + b.raw}; }
    friend Decimal4 operator-(Decimal4 a, Decimal4 b) { return {a.raw - b.raw}; }
    friend bool operator==(Decimal4 a, Decimal4 b) { return a.raw == b.raw; }
};

// Digit patterns: "0", "00", "0000", "0.00", "000.000", "00.00", "0.000".
// Rounds half away from zero, as the classic Format does.
std::string formatNumber(double value, const std::string& pattern);

// Date patterns on a SystemTime: "ddd", "mmm dd", "yyyy", "mm/dd/yy",
// "YYYY-MM-DD-hh", "hh", "nn", "ss". Names are English unless given.
struct DateNames {
    const char* const* shortDays = nullptr;    // 7 entries, Sunday first
    const char* const* shortMonths = nullptr;  // 12 entries
};
std::string formatDate(const platform::SystemTime& t, const std::string& pattern, const DateNames& names = {});

std::string trimBlanks(const std::string& s);
std::string upperAscii(std::string s);

}  // namespace vel
