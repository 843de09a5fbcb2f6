// What a paste or a drop puts into a box. A box holds one line, so a pasted
// text keeps what comes before its first line break (CR, LF, or the CR LF
// pair), as a one-line edit box does on Windows, and the rest is left out.
// What remains is then inserted like any other edit: cut to the room left in
// the box, without any lone half of a surrogate pair (surrogate_pairs.h).
// Other control characters in that line are taken as they stand
// (control_characters.h). Every realisation applies this to every paste and
// every drop.
#pragma once

#include <string_view>

namespace tintora {

[[nodiscard]] constexpr std::u16string_view firstLine(std::u16string_view pasted) {
    return pasted.substr(0, pasted.find_first_of(u"\r\n"));
}

} // namespace tintora
