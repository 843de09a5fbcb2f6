// Shared by the fuzz targets: turning the fuzzer's bytes into box texts, and
// stopping loudly when a property breaks.
#pragma once

#include "mixer_testing/printable_text.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tintora::fuzz {

// The bytes as UTF-16 code units, two bytes each, low byte first; an odd last
// byte is dropped. Unpaired surrogates stay: a box can hold them too.
inline std::u16string asUtf16(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    }
    return text;
}

// Each byte as one code unit 0..255. This keeps the fuzzer's ASCII mutations
// and dictionary meaningful, and still reaches Latin-1 such as U+00A0.
inline std::u16string widened(const std::uint8_t* data, std::size_t size) {
    return {data, data + size};
}

// Same bits: tells -0.0 from 0.0 and compares NaN with itself.
inline bool sameDouble(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Reports the broken property with the text it broke on, then aborts so that
// libFuzzer saves the input as a crash.
[[noreturn]] inline void fail(const char* property, std::u16string_view text, double got = 0.0,
                              double expected = 0.0) {
    std::fprintf(stderr, "\nproperty broken: %s\n  text: ", property);
    std::fputs(tintora::testing::printable(text).c_str(), stderr);
    std::fprintf(stderr, "\n  got %.17g (bits %016llx), expected %.17g (bits %016llx)\n", got,
                 static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(got)), expected,
                 static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(expected)));
    std::abort();
}

inline void check(bool holds, const char* property, std::u16string_view text, double got = 0.0,
                  double expected = 0.0) {
    if (!holds) {
        fail(property, text, got, expected);
    }
}

inline bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

inline bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

} // namespace tintora::fuzz
