// StrictNumber on arbitrary text, checked against a reading of its own: a
// small grammar matcher for acceptance and the C library's strtod (correctly
// rounded, C locale) for the value. Whatever StrictNumber accepts,
// LeadingNumber must read to the very same double.
#include "conversions/channel_conversions.h"
#include "fuzz_support.h"

#include <cerrno>
#include <cmath>
#include <optional>
#include <string>

namespace tintora::fuzz {
namespace {

// blank* sign? digits* ('.' digits*)? (('e'|'E') sign? digits+)? blank*, with
// at least one mantissa digit. Returns the numeral between the blanks as ASCII.
std::optional<std::string> numeralOfGrammar(std::u16string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    const std::u16string_view numeral = text.substr(begin, end - begin);
    std::size_t i = 0;
    const auto digits = [&] {
        std::size_t count = 0;
        for (; i < numeral.size() && isDigit(numeral[i]); ++i) {
            ++count;
        }
        return count;
    };
    if (i < numeral.size() && (numeral[i] == u'+' || numeral[i] == u'-')) {
        ++i;
    }
    std::size_t mantissaDigits = digits();
    if (i < numeral.size() && numeral[i] == u'.') {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < numeral.size() && (numeral[i] == u'e' || numeral[i] == u'E')) {
        ++i;
        if (i < numeral.size() && (numeral[i] == u'+' || numeral[i] == u'-')) {
            ++i;
        }
        if (digits() == 0) {
            return std::nullopt;
        }
    }
    if (i != numeral.size()) {
        return std::nullopt;
    }
    return std::string(numeral.begin(), numeral.end()); // all ASCII by now
}

std::optional<double> expectedStrict(std::u16string_view text) {
    const auto numeral = numeralOfGrammar(text);
    if (!numeral) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(numeral->c_str(), &end);
    if (end != numeral->c_str() + numeral->size()) {
        fail("reference strtod stopped inside a numeral of the grammar", text);
    }
    if (std::isinf(value)) {
        return std::nullopt; // too large for a double
    }
    return value;
}

void checkText(std::u16string_view text) {
    const auto strict = StrictNumber(text);
    const auto expected = expectedStrict(text);
    check(strict.has_value() == expected.has_value(),
          "StrictNumber accepts exactly the numerals of its grammar that fit a double", text,
          strict.value_or(0.0), expected.value_or(0.0));

    const std::u16string padded = u" \t" + std::u16string(text) + u"\t ";
    const auto paddedStrict = StrictNumber(padded);
    check(paddedStrict.has_value() == strict.has_value(),
          "blanks around the text do not change whether StrictNumber accepts it", text);
    if (!strict) {
        return;
    }
    check(sameDouble(*strict, *expected), "StrictNumber gives the nearest double", text, *strict,
          *expected);
    check(sameDouble(*paddedStrict, *strict), "blanks around the numeral do not change its value",
          text, *paddedStrict, *strict);
    const double leading = LeadingNumber(text);
    check(sameDouble(leading, *strict),
          "LeadingNumber reads a text StrictNumber accepts to the same value", text, leading,
          *strict);
}

} // namespace
} // namespace tintora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tintora::fuzz;
    checkText(widened(data, size));
    checkText(asUtf16(data, size));
    return 0;
}
