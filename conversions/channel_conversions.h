// Text <-> number rules for one colour channel.
//
// Every channel value lives as text in the window's boxes and is converted on
// each use, so what these functions accept, and where they round, *is* the
// behaviour of the mixer at its edges. They are pure, hold no state and never
// consult the process locale: Qt sets the C locale from the environment, and a
// box holding "1,5" must not read as 1.5 under a German locale.
//
// Text is UTF-16, as the widgets hold it. Only ASCII characters ever form a
// number; any other character (full-width digits, non-breaking spaces, ...)
// ends or spoils a numeral.
//
// Functions that can fail return std::optional and are [[nodiscard]]; an empty
// result is the failure. There are no variants that substitute a default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tintora {

// Reads the whole text as a decimal number.
// Grammar: blank* sign? mantissa exponent? blank*, where blank is space or
// tab, sign is '+' or '-', mantissa is digits with an optional '.' and
// fraction (".5" and "1." are numbers, "." is not), and exponent is 'e' or
// 'E', an optional sign and at least one digit ("1e2" is 100).
// The value is the double nearest to the numeral; a non-zero numeral too small
// for a double reads as zero of the same sign.
// Fails on: the empty or all-blank text; a lone sign or point; an exponent
// without digits ("1e"); any other character anywhere, including ',' in any
// role, currency signs, "&H"/"&O" prefixes, "inf", "nan", "infinity" and
// non-ASCII digits or blanks; a value too large for a double.
[[nodiscard]] std::optional<double> StrictNumber(std::u16string_view text);

// Reads the longest number at the start of the text and ignores the rest.
// Blanks (space, tab) before the number are skipped. Then either:
//  - "&H" or "&h" followed by hexadecimal digits (0-9, A-F, a-f), read as an
//    unsigned value; reading stops at the first non-digit, and no digit at
//    all gives 0 ("&HC8" is 200, "&H1G" is 1, "&HG" is 0). A value with more
//    bits than a double holds reads as the nearest double, and one past its
//    range as infinity;
//  - or the longest prefix that is a decimal numeral of StrictNumber's form
//    ("12a" is 12, "1e" is 1, "-" is 0).
// Never fails: text with no number at its start gives 0, and a decimal
// numeral too large for a double gives infinity of its sign.
[[nodiscard]] double LeadingNumber(std::u16string_view text);

// Formats a number as upper-case hexadecimal digits without prefix or leading
// zeros ("0", "C8", "FF").
// The number is first rounded to the nearest integer, halves to even (1.5 and
// 2.5 give "2", 0.5 gives "0"); the sign is taken after rounding, so -0.4
// gives "0". A negative result is written as its 32-bit two's complement in
// eight digits (-5 gives "FFFFFFFB").
// Fails when the rounded value lies outside -2147483648..2147483647, and on
// NaN.
[[nodiscard]] std::optional<std::u16string> HexText(double value);

// Rounds to the nearest integer, halves to even (254.5 gives 254, 255.5 gives
// 256). Fails when the result lies outside -32768..32767, and on NaN.
[[nodiscard]] std::optional<std::int16_t> RoundToInt16(double value);

// Rounds towards minus infinity (2.9 gives 2, -0.5 gives -1). Fails when the
// result lies outside -32768..32767, and on NaN.
[[nodiscard]] std::optional<std::int16_t> FloorToInt16(double value);

// Rounds towards minus infinity and keeps the result a double. Never fails;
// infinities and NaN pass through unchanged.
[[nodiscard]] double Floor(double value);

// Writes a whole number as plain decimal digits with a leading '-' when
// negative: no blanks, point or exponent (200 gives "200", -5 gives "-5";
// -0 gives "0"). A fraction is rounded half to even first. Never fails:
// infinities give "inf"/"-inf" and NaN gives "nan", or "-nan" with its sign
// bit set; no caller passes either.
[[nodiscard]] std::u16string NumberText(double wholeNumber);

// Writes a 16-bit integer as plain decimal digits with a leading '-' when
// negative. Never fails.
[[nodiscard]] std::u16string Int16Text(std::int16_t value);

// The first text followed by the second. Never fails.
[[nodiscard]] std::u16string Concat(std::u16string_view first, std::u16string_view second);

// The range of one colour component.
inline constexpr std::int16_t ComponentMin = 0;
inline constexpr std::int16_t ComponentMax = 255;

// A colour value laid out 0x00BBGGRR: red + 256 * green + 65536 * blue.
// Fails when any component lies outside ComponentMin..ComponentMax (0..255).
[[nodiscard]] std::optional<std::uint32_t> PackColour(std::int16_t red, std::int16_t green,
                                                      std::int16_t blue);

} // namespace tintora
