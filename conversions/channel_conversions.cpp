#include "conversions/channel_conversions.h"

#include "conversions/decimal_scanner.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace tintora {
namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::size_t skipBlanks(std::u16string_view text, std::size_t pos) {
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

int hexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    return -1;
}

// The value of the hexadecimal digits at the start of `digits`, rounded once
// to the nearest double: the first 64 significant bits are kept exactly, any
// non-zero digit past them only breaks rounding ties (a sticky bit), and each
// further digit scales by 16.
double hexDigitsValue(std::u16string_view digits) {
    std::uint64_t significant = 0;
    int significantDigits = 0;
    int droppedDigits = 0;
    bool droppedNonZero = false;
    for (const char16_t c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0) {
            break;
        }
        if (significantDigits < 16) {
            significant = significant << 4 | static_cast<std::uint64_t>(digit);
            significantDigits += significant != 0 ? 1 : 0;
        } else {
            ++droppedDigits;
            droppedNonZero |= digit != 0;
        }
    }
    if (droppedNonZero) {
        significant |= 1u;
    }
    return std::ldexp(static_cast<double>(significant), 4 * droppedDigits);
}

// Nearest integer with ties to the even neighbour, independent of the
// floating-point environment's rounding mode.
double roundHalfEven(double value) {
    const double below = std::floor(value);
    const double diff = value - below;
    if (diff < 0.5) {
        return below;
    }
    if (diff > 0.5) {
        return below + 1.0;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::optional<std::int16_t> toInt16(double whole) {
    if (!(whole >= std::numeric_limits<std::int16_t>::min() &&
          whole <= std::numeric_limits<std::int16_t>::max())) {
        return std::nullopt; // also NaN
    }
    return static_cast<std::int16_t>(whole);
}

std::u16string widen(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

} // namespace

std::optional<double> StrictNumber(std::u16string_view text) {
    const std::size_t start = skipBlanks(text, 0);
    const auto numeral = scanDecimal(text, start);
    if (!numeral || skipBlanks(text, numeral->end) != text.size()) {
        return std::nullopt;
    }
    if (numeral->overflow) {
        return std::nullopt;
    }
    return numeral->value;
}

double LeadingNumber(std::u16string_view text) {
    const std::size_t start = skipBlanks(text, 0);
    if (text.size() - start >= 2 && text[start] == u'&' &&
        (text[start + 1] == u'H' || text[start + 1] == u'h')) {
        return hexDigitsValue(text.substr(start + 2));
    }
    const auto numeral = scanDecimal(text, start);
    return numeral ? numeral->value : 0.0;
}

std::optional<std::u16string> HexText(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(rounded));
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::array<char16_t, 8> buffer{};
    std::size_t used = 0;
    std::uint32_t rest = bits;
    do {
        buffer[buffer.size() - ++used] = digits[rest & 0xFu];
        rest >>= 4;
    } while (rest != 0);
    return std::u16string(buffer.end() - static_cast<std::ptrdiff_t>(used), buffer.end());
}

std::optional<std::int16_t> RoundToInt16(double value) {
    return toInt16(roundHalfEven(value));
}

std::optional<std::int16_t> FloorToInt16(double value) {
    return toInt16(std::floor(value));
}

double Floor(double value) {
    return std::floor(value);
}

std::u16string NumberText(double wholeNumber) {
    const double whole = roundHalfEven(wholeNumber);
    if (whole == 0.0) {
        return u"0"; // never "-0"
    }
    std::array<char, 400> buffer{}; // the longest finite double in fixed notation fits
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), whole,
                                      std::chars_format::fixed, 0);
    return widen({buffer.data(), result.ptr});
}

std::u16string Int16Text(std::int16_t value) {
    std::array<char, 8> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return widen({buffer.data(), result.ptr});
}

std::u16string Concat(std::u16string_view first, std::u16string_view second) {
    std::u16string joined;
    joined.reserve(first.size() + second.size());
    joined.append(first).append(second);
    return joined;
}

std::optional<std::uint32_t> PackColour(std::int16_t red, std::int16_t green, std::int16_t blue) {
    const auto inRange = [](std::int16_t c) { return c >= ComponentMin && c <= ComponentMax; };
    if (!inRange(red) || !inRange(green) || !inRange(blue)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue) << 16;
}

} // namespace tintora
