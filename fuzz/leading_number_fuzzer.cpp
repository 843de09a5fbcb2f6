// LeadingNumber on arbitrary text, bare and behind the "&H" prefix the
// hexadecimal boxes are read with, checked against a reading of its own:
//  - decimal: strtod (C locale, correctly rounded) on the text after the
//    blanks, with every character that cannot belong to our numerals masked
//    so that strtod's extras ("inf", "0x", other white space) never apply;
//  - hexadecimal: the digits gathered in 64 bits and converted once.
#include "conversions/channel_conversions.h"
#include "fuzz_support.h"

#include <cmath>
#include <string>

namespace tintora::fuzz {
namespace {

std::size_t skipBlanks(std::u16string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

int hexDigit(char16_t c) {
    if (isDigit(c)) {
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

double expectedDecimal(std::u16string_view rest) {
    std::string masked;
    masked.reserve(rest.size());
    for (const char16_t c : rest) {
        const bool numeralChar =
            isDigit(c) || c == u'+' || c == u'-' || c == u'.' || c == u'e' || c == u'E';
        masked.push_back(numeralChar ? static_cast<char>(c) : '\x01');
    }
    char* end = nullptr;
    const double value = std::strtod(masked.c_str(), &end);
    return end == masked.c_str() ? 0.0 : value; // no numeral reads as +0
}

void checkHex(std::u16string_view text, std::u16string_view digitsAfterPrefix, double got) {
    std::size_t significant = 0;
    std::uint64_t exact = 0;
    for (const char16_t c : digitsAfterPrefix) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            break;
        }
        if (significant == 0 && digit == 0) {
            continue;
        }
        if (++significant <= 16) {
            exact = exact << 4 | static_cast<std::uint64_t>(digit);
        }
    }
    check(!std::signbit(got) && !std::isnan(got), "a hexadecimal reading is never negative", text,
          got);
    if (significant <= 16) {
        // At most 64 bits, held exactly: one rounding, so the nearest double.
        const auto expected = static_cast<double>(exact);
        check(sameDouble(got, expected), "a hexadecimal reading is the nearest double", text, got,
              expected);
    } else if (significant < 256) {
        check(std::isfinite(got), "fewer than 256 hexadecimal digits stay finite", text, got);
    }
}

void checkText(std::u16string_view text) {
    const double got = LeadingNumber(text);
    const std::size_t start = skipBlanks(text);
    const std::u16string_view rest = text.substr(start);
    if (rest.size() >= 2 && rest[0] == u'&' && (rest[1] == u'H' || rest[1] == u'h')) {
        checkHex(text, rest.substr(2), got);
        return;
    }
    const double expected = expectedDecimal(rest);
    check(sameDouble(got, expected), "LeadingNumber reads the longest decimal numeral at the start",
          text, got, expected);
}

void checkAllReadings(const std::u16string& text) {
    checkText(text);
    checkText(u"&H" + text);
    checkText(u" \t&h" + text);
}

} // namespace
} // namespace tintora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tintora::fuzz;
    checkAllReadings(widened(data, size));
    checkAllReadings(asUtf16(data, size));
    return 0;
}
