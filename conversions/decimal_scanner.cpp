#include "conversions/decimal_scanner.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace tintora {
namespace {

constexpr long long ExponentCap = 1'000'000'000'000'000LL;

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::size_t skipDigits(std::u16string_view text, std::size_t pos) {
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

// Rough power of ten of a numeral that std::from_chars found out of range:
// positive means too large, otherwise too small.
long long decimalMagnitude(std::u16string_view integerDigits, std::u16string_view fractionDigits,
                           long long exponent) {
    const auto firstNonZero = integerDigits.find_first_not_of(u'0');
    if (firstNonZero != std::u16string_view::npos) {
        return static_cast<long long>(integerDigits.size() - firstNonZero) + exponent;
    }
    const auto leadingZeros = fractionDigits.find_first_not_of(u'0');
    return exponent - static_cast<long long>(leadingZeros);
}

} // namespace

std::optional<DecimalNumeral> scanDecimal(std::u16string_view text, std::size_t pos) {
    std::size_t cursor = pos;
    bool negative = false;
    if (cursor < text.size() && (text[cursor] == u'+' || text[cursor] == u'-')) {
        negative = text[cursor] == u'-';
        ++cursor;
    }
    const std::size_t integerStart = cursor;
    cursor = skipDigits(text, cursor);
    const auto integerDigits = text.substr(integerStart, cursor - integerStart);
    std::u16string_view fractionDigits;
    if (cursor < text.size() && text[cursor] == u'.') {
        const std::size_t fractionStart = cursor + 1;
        const std::size_t fractionEnd = skipDigits(text, fractionStart);
        fractionDigits = text.substr(fractionStart, fractionEnd - fractionStart);
        if (integerDigits.empty() && fractionDigits.empty()) {
            return std::nullopt; // a lone point
        }
        cursor = fractionEnd;
    } else if (integerDigits.empty()) {
        return std::nullopt;
    }

    long long exponent = 0;
    std::u16string_view exponentText;
    if (cursor < text.size() && (text[cursor] == u'e' || text[cursor] == u'E')) {
        std::size_t expCursor = cursor + 1;
        bool expNegative = false;
        if (expCursor < text.size() && (text[expCursor] == u'+' || text[expCursor] == u'-')) {
            expNegative = text[expCursor] == u'-';
            ++expCursor;
        }
        const std::size_t expDigitsEnd = skipDigits(text, expCursor);
        if (expDigitsEnd > expCursor) {
            exponentText = text.substr(cursor, expDigitsEnd - cursor);
            for (std::size_t i = expCursor; i < expDigitsEnd; ++i) {
                // Saturate far beyond any text's length, so that the magnitude
                // estimate below still tells overflow from underflow.
                exponent = std::min(exponent * 10 + (text[i] - u'0'), ExponentCap);
            }
            if (expNegative) {
                exponent = -exponent;
            }
            cursor = expDigitsEnd;
        }
    }

    // std::from_chars is locale-independent; hand it the unsigned ASCII numeral.
    std::string ascii;
    ascii.reserve(integerDigits.size() + fractionDigits.size() + exponentText.size() + 3);
    if (integerDigits.empty()) {
        ascii.push_back('0');
    }
    ascii.append(integerDigits.begin(), integerDigits.end());
    ascii.push_back('.');
    ascii.append(fractionDigits.begin(), fractionDigits.end());
    ascii.push_back('0');
    ascii.append(exponentText.begin(), exponentText.end());

    DecimalNumeral numeral;
    numeral.end = cursor;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), numeral.value);
    if (result.ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(integerDigits, fractionDigits, exponent) > 0) {
            numeral.overflow = true;
            numeral.value = std::numeric_limits<double>::infinity();
        } else {
            numeral.value = 0.0;
        }
    }
    if (negative) {
        numeral.value = -numeral.value;
    }
    return numeral;
}

} // namespace tintora
