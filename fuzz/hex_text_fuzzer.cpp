// The number -> text and rounding side: HexText, RoundToInt16, FloorToInt16,
// Floor, NumberText and Int16Text on arbitrary doubles, checked against the C
// library (std::nearbyint in the default round-to-nearest-even mode,
// std::floor, printf's %X).
// The doubles come from the input's raw bytes, eight at a time, which reach
// NaNs, infinities and subnormals, and from the input read as text through
// LeadingNumber, which reaches the halves and range edges ("2.5",
// "32767.5", "-2147483648.5") that raw bytes hardly ever hit.
#include "conversions/channel_conversions.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstring>
#include <string>

namespace tintora::fuzz {
namespace {

constexpr double TwoTo32 = 4294967296.0;

std::u16string fromAscii(const char* ascii) {
    return {ascii, ascii + std::strlen(ascii)};
}

void checkHexText(double value, std::u16string_view origin) {
    const auto hex = HexText(value);
    const double rounded = std::nearbyint(value);
    const bool fits = rounded >= -2147483648.0 && rounded <= 2147483647.0; // false for NaN
    check(hex.has_value() == fits, "HexText succeeds exactly for the 32-bit range", origin, value);
    if (!hex) {
        return;
    }
    check(!hex->empty() && hex->size() <= 8, "HexText gives one to eight digits", origin, value);
    for (const char16_t c : *hex) {
        check(isDigit(c) || (c >= u'A' && c <= u'F'), "HexText gives upper-case hexadecimal digits",
              origin, value);
    }
    char expected[16];
    std::snprintf(expected, sizeof expected, "%X",
                  static_cast<unsigned>(static_cast<std::int32_t>(rounded)));
    check(*hex == fromAscii(expected), "HexText gives the two's complement digits", origin, value);

    // Reading the digits back as the hexadecimal boxes do gives the number,
    // or for a negative number its 32-bit two's complement.
    const double readBack = LeadingNumber(u"&H" + *hex);
    const double wanted = rounded < 0 ? rounded + TwoTo32 : rounded;
    check(readBack == wanted, "HexText reads back through &H", origin, readBack, wanted);
}

void checkRounding(double value, std::u16string_view origin) {
    const double nearest = std::nearbyint(value);
    const auto round16 = RoundToInt16(value);
    const bool nearestFits = nearest >= -32768.0 && nearest <= 32767.0;
    check(round16.has_value() == nearestFits, "RoundToInt16 succeeds exactly for the 16-bit range",
          origin, value);
    if (round16) {
        check(*round16 == nearest, "RoundToInt16 rounds like nearbyint", origin, *round16, nearest);
        const auto text = Int16Text(*round16);
        const auto back = StrictNumber(text);
        check(back && *back == *round16, "Int16Text reads back", text);
    }

    const double below = std::floor(value);
    const auto floor16 = FloorToInt16(value);
    const bool belowFits = below >= -32768.0 && below <= 32767.0;
    check(floor16.has_value() == belowFits, "FloorToInt16 succeeds exactly for the 16-bit range",
          origin, value);
    if (floor16) {
        check(*floor16 == below, "FloorToInt16 rounds like floor", origin, *floor16, below);
    }
    check(sameDouble(Floor(value), below), "Floor is floor", origin, Floor(value), below);

    if (std::isfinite(value)) {
        // A whole number written out reads back exactly, "-0" never appears.
        const std::u16string text = NumberText(value);
        check(text != u"-0" && !text.empty(), "NumberText writes zero as 0", origin, value);
        const std::size_t first = text[0] == u'-' ? 1 : 0;
        check(first < text.size() && (text[first] != u'0' || text.size() == first + 1),
              "NumberText writes no leading zeros", text, value);
        for (std::size_t i = first; i < text.size(); ++i) {
            check(isDigit(text[i]), "NumberText writes plain digits", text, value);
        }
        const auto back = StrictNumber(text);
        check(back && *back == nearest, "NumberText reads back as the rounded number", text,
              back.value_or(0.0), nearest);
    }
}

void checkNumber(double value, std::u16string_view origin) {
    checkHexText(value, origin);
    checkRounding(value, origin);
}

void checkText(std::u16string_view text) {
    // What Text1_Change does with the box: HexText(LeadingNumber(text)).
    checkNumber(LeadingNumber(text), text);
    if (const auto strict = StrictNumber(text)) {
        checkNumber(*strict, text);
    }
}

// Every byte value as a channel: HexText's digits read back through "&H".
void checkEveryChannelValue() {
    for (int n = 0; n <= 255; ++n) {
        const auto hex = HexText(n);
        check(hex && LeadingNumber(u"&H" + *hex) == n, "a channel value reads back through &H",
              hex.value_or(u"(none)"), n);
        check(hex->size() <= 2, "a channel value fits the two-character hexadecimal box", *hex, n);
    }
}

} // namespace
} // namespace tintora::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tintora::fuzz::checkEveryChannelValue();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tintora::fuzz;
    for (std::size_t i = 0; i + sizeof(double) <= size; i += sizeof(double)) {
        double value = 0.0;
        std::memcpy(&value, data + i, sizeof value);
        checkNumber(value, u"(raw bytes)");
    }
    checkText(widened(data, size));
    checkText(asUtf16(data, size));
    return 0;
}
