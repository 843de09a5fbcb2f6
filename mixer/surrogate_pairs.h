// Boxes hold UTF-16 and count MaxLength in UTF-16 units, but a character
// outside the BMP is two units, a surrogate pair. A box never keeps half of
// one: these are the tests every realisation makes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace tintora {

[[nodiscard]] constexpr bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

[[nodiscard]] constexpr bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Whether text[at] is a high surrogate with its low half right after it.
[[nodiscard]] constexpr bool pairStartsAt(std::u16string_view text, std::size_t at) {
    return at + 1 < text.size() && isHighSurrogate(text[at]) && isLowSurrogate(text[at + 1]);
}

// The longest start of `text` that fits in `length` UTF-16 units without
// leaving half of a surrogate pair behind.
[[nodiscard]] constexpr std::u16string_view cutToLength(std::u16string_view text, int length) {
    auto kept = std::min(text.size(), static_cast<std::size_t>(length));
    if (kept > 0 && pairStartsAt(text, kept - 1)) {
        --kept;
    }
    return text.substr(0, kept);
}

// `text` without any half of a surrogate pair that stands alone.
[[nodiscard]] inline std::u16string withoutHalfPairs(std::u16string_view text) {
    std::u16string whole;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (pairStartsAt(text, at)) {
            whole += text.substr(at++, 2);
        } else if (!isHighSurrogate(text[at]) && !isLowSurrogate(text[at])) {
            whole += text[at];
        }
    }
    return whole;
}

} // namespace tintora
