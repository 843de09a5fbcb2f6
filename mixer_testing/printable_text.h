// How test and fuzzer reports write a UTF-16 text: in quotes, printable ASCII
// as it is, everything else (quote and backslash included) as \uXXXX, so that
// a failure message shows exactly which code units a box held.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace tintora::testing {

[[nodiscard]] inline std::string printable(std::u16string_view text) {
    std::string out = "\"";
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    return out + "\"";
}

} // namespace tintora::testing
