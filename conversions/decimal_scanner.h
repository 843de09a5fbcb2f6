// Internal: the decimal numeral shared by StrictNumber and LeadingNumber.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tintora {

struct DecimalNumeral {
    std::size_t end = 0; // one past the numeral's last character
    double value = 0.0;  // nearest double; +-infinity when overflow is set
    bool overflow = false;
};

// Scans the longest numeral sign? digits* ('.' digits*)? exponent? at `pos`,
// where the mantissa holds at least one digit and the exponent ('e' or 'E',
// optional sign, digits) is taken only when it has a digit. Returns nothing
// when no numeral starts at `pos`. Only ASCII characters count; the locale is
// never consulted.
[[nodiscard]] std::optional<DecimalNumeral> scanDecimal(std::u16string_view text, std::size_t pos);

} // namespace tintora
