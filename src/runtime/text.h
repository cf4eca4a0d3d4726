// Texts and numbers as the program keeps them: single-byte texts of at most
// kTextCapacity characters, and numbers written with a leading blank.
// Portable: no platform headers.
#pragma once

#include <array>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace vemo {

// The day and month names the reminder patterns hold: English whatever the
// locale, as the date fields' buttons write them; "Day" is every day.
inline constexpr std::array<std::string_view, 8> kDayNames = {"Mon", "Tue", "Wed", "Thu",
                                                              "Fri", "Sat", "Sun", "Day"};
inline constexpr std::array<std::string_view, 12> kMonthNames = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Every text variable of the program holds at most this many characters.
inline constexpr std::size_t kTextCapacity = 254;

// The one place where a text is cut to a capacity.
std::string CutText(std::string_view text, std::size_t capacity = kTextCapacity);

// Rounds to the nearest whole number, halves to even; NaN gives 0 and values
// beyond the 64-bit range give its ends. Every integer read goes through here.
std::int64_t RoundHalfEven(double value);

// RoundHalfEven, then kept in the width of T (the low bits, as a store to a
// narrower variable keeps them).
template <class T>
T RoundTo(double value) {
    static_assert(std::is_integral_v<T>);
    return static_cast<T>(RoundHalfEven(value));
}

// " 5", " -20", " 2.50": a blank, then whole numbers without decimals and
// other numbers with two.
std::string NumberText(double value);

// Skips blanks and tabs, an optional "-", digits, an optional "." and digits;
// stops at anything else. No digits give 0; no exponent, no plus sign.
double TextToNumber(std::string_view text);

std::string LeftText(std::string_view text, long long count);
std::string MidText(std::string_view text, long long start, long long count);
long long FindText(std::string_view text, std::string_view pattern, long long start);
std::string TrimLeftText(std::string_view text);
std::size_t TextLength(std::string_view text);

template <class... Texts>
std::string JoinText(const Texts&... texts) {
    std::string joined;
    (joined.append(std::string_view(texts)), ...);
    return joined;
}

// "%02d:%02d:%02d".
std::string FormatTimeText(int hour, int minute, int second);

}  // namespace vemo

namespace vemo {

// "a|b|" as the platform's string lists want it: every "|" becomes a zero
// byte and the list ends with two zero bytes. At most `capacity` characters
// of the text are used.
std::string BarListToZeroList(std::string_view text, std::size_t capacity = kTextCapacity);

}  // namespace vemo
