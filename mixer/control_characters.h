// Which typed characters a box refuses: a key whose character is a control
// character (Unicode's category Cc, U+0000..U+001F and U+007F..U+009F)
// inserts nothing. Such keys are editing commands or nothing a user meant to
// type: Ctrl+Backspace gives U+007F on Windows. Qt's line edit refuses exactly
// these by itself (and also the code points its Unicode tables leave
// unassigned); the in-memory boxes and the Win32 box refuse them with this
// rule. A paste is taken as it is, in every realisation.
#pragma once

namespace tintora {

[[nodiscard]] constexpr bool isControlCharacter(char16_t unit) {
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

} // namespace tintora
