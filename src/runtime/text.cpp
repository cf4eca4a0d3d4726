#include "runtime/text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vemo {

std::string CutText(std::string_view text, std::size_t capacity) {
    return std::string(text.substr(0, capacity));
}

std::int64_t RoundHalfEven(double value) {
    // Whole numbers, which nearly every number read is, need no rounding.
    if (value > -2147483648.0 && value < 2147483648.0) {
        const auto whole = static_cast<std::int64_t>(value);
        if (static_cast<double>(whole) == value) return whole;
    }
    if (std::isnan(value)) return 0;
    // 2^63 as a double; everything at or past it saturates.
    constexpr double kLimit = 9223372036854775808.0;
    if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (value < -kLimit) return std::numeric_limits<std::int64_t>::min();
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5) {
        rounded = floor + 1.0;
    } else if (fraction == 0.5) {
        rounded = std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
    }
    if (rounded >= kLimit) return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(rounded);
}

std::string NumberText(double value) {
    std::array<char, 400> buffer{};
    buffer[0] = ' ';
    char* const first = buffer.data() + 1;
    char* const last = buffer.data() + buffer.size();
    std::to_chars_result result{};
    constexpr double kInt64Range = 9223372036854775808.0;
    if (std::isfinite(value) && std::fabs(value) < kInt64Range &&
        static_cast<double>(static_cast<std::int64_t>(value)) == value) {
        // Whole numbers print their low 32 bits, as the stored integers are 32-bit.
        const auto whole = static_cast<std::int32_t>(static_cast<std::int64_t>(value));
        result = std::to_chars(first, last, whole);
    } else if (std::isfinite(value)) {
        // The C library's exact conversion; std::to_chars would link about 190 KB of
        // tables into the program.
        const int length =
            std::snprintf(first, static_cast<std::size_t>(last - first), "%.2f", value);
        result.ptr = first + length;
    } else {
        return std::isnan(value) ? " nan" : (value > 0 ? " inf" : " -inf");
    }
    return std::string(buffer.data(), result.ptr);
}

double TextToNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
    // Whole numbers of up to 15 digits (every number the columns hold) are
    // exact as doubles: read them without the parser, which every tick
    // would otherwise call for every row.
    std::size_t end = i;
    std::int64_t whole = 0;
    while (end < text.size() && end - i < 16 && is_digit(text[end])) {
        whole = whole * 10 + (text[end] - '0');
        ++end;
    }
    if (end > i && end - i <= 15 &&
        (end == text.size() || (text[end] != '.' && !is_digit(text[end])))) {
        const auto value = static_cast<double>(whole);
        return negative ? -value : value;
    }
    std::string digits;  // "integer.fraction", handed to the correctly rounding parser
    bool any_digit = false;
    while (i < text.size() && is_digit(text[i])) {
        any_digit = true;
        digits.push_back(text[i++]);
    }
    if (i < text.size() && text[i] == '.') {
        digits.push_back('.');
        ++i;
        while (i < text.size() && is_digit(text[i])) {
            any_digit = true;
            digits.push_back(text[i++]);
        }
    }
    if (!any_digit) return 0.0;
    if (digits.front() == '.') digits.insert(digits.begin(), '0');
    // Correctly rounded (std::from_chars would link 40 KB more); hundreds of digits
    // give infinity, or 0 when too small to differ from it.
    const double value = std::strtod(digits.c_str(), nullptr);
    return negative ? -value : value;
}

std::string LeftText(std::string_view text, long long count) {
    if (count < 0) count = 0;
    return std::string(text.substr(0, static_cast<std::size_t>(count)));
}

std::string MidText(std::string_view text, long long start, long long count) {
    const auto length = static_cast<long long>(text.size());
    if (start > length) return {};
    if (start < 1) start = 1;
    const auto from = static_cast<std::size_t>(start - 1);
    if (count < 0 || start + count > length + 1) return std::string(text.substr(from));
    return std::string(text.substr(from, static_cast<std::size_t>(count)));
}

long long FindText(std::string_view text, std::string_view pattern, long long start) {
    if (start < 1) start = 1;
    if (start > static_cast<long long>(text.size()) || pattern.empty()) return 0;
    const auto found = text.find(pattern, static_cast<std::size_t>(start - 1));
    return found == std::string_view::npos ? 0 : static_cast<long long>(found) + 1;
}

std::string TrimLeftText(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::size_t TextLength(std::string_view text) {
    const auto terminator = text.find('\0');
    return terminator == std::string_view::npos ? text.size() : terminator;
}

std::string FormatTimeText(int hour, int minute, int second) {
    std::array<char, 32> buffer{};
    char* p = buffer.data();
    char* const end = buffer.data() + buffer.size();
    for (int part : {hour, minute, second}) {
        if (p != buffer.data()) *p++ = ':';
        if (part >= 0 && part < 10) *p++ = '0';
        p = std::to_chars(p, end, part).ptr;
    }
    return std::string(buffer.data(), p);
}

}  // namespace vemo

namespace vemo {

std::string BarListToZeroList(std::string_view text, std::size_t capacity) {
    std::string list(text.substr(0, capacity));
    for (char& c : list) {
        if (c == '|') c = '\0';
    }
    list.append(2, '\0');
    return list;
}

}  // namespace vemo
