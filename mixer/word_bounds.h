// Where Ctrl+Backspace and Ctrl+Delete stop in a box. The text is read as runs
// of one kind of character: blanks, ASCII punctuation, and everything else
// (letters, digits, the decimal point and any other character, so "2.5" and
// "1e2" are one word each and "-5" is two). Every realisation deletes by
// these positions, with the box's own edit, so a word deleted is reported and
// checked like any other change; with a selection, both keys delete just the
// selection.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace tintora {

enum class CharacterKind { Blank, Punctuation, Word };

[[nodiscard]] constexpr CharacterKind kindOf(char16_t unit) {
    constexpr std::u16string_view blanks = u" \t\u00A0\u1680\u202F\u205F\u3000";
    if (blanks.find(unit) != std::u16string_view::npos || (unit >= 0x2000 && unit <= 0x200A)) {
        return CharacterKind::Blank;
    }
    constexpr std::u16string_view punctuation = u"!\"#$%&'()*+,-/:;<=>?@[\\]^`{|}~";
    if (punctuation.find(unit) != std::u16string_view::npos) {
        return CharacterKind::Punctuation;
    }
    return CharacterKind::Word; // both halves of a surrogate pair too: a pair is never split
}

// Ctrl+Backspace deletes from here to the caret: back over the blanks before
// the caret, then over the run of one kind before them.
[[nodiscard]] constexpr std::size_t wordStartBefore(std::u16string_view text, std::size_t caret) {
    std::size_t at = std::min(caret, text.size());
    while (at > 0 && kindOf(text[at - 1]) == CharacterKind::Blank) {
        --at;
    }
    if (at > 0) {
        const CharacterKind kind = kindOf(text[at - 1]);
        while (at > 0 && kindOf(text[at - 1]) == kind) {
            --at;
        }
    }
    return at;
}

// Ctrl+Delete deletes from the caret to here: over the run of one kind after
// the caret, then over the blanks after it.
[[nodiscard]] constexpr std::size_t wordEndAfter(std::u16string_view text, std::size_t caret) {
    std::size_t at = std::min(caret, text.size());
    if (at < text.size() && kindOf(text[at]) != CharacterKind::Blank) {
        const CharacterKind kind = kindOf(text[at]);
        while (at < text.size() && kindOf(text[at]) == kind) {
            ++at;
        }
    }
    while (at < text.size() && kindOf(text[at]) == CharacterKind::Blank) {
        ++at;
    }
    return at;
}

} // namespace tintora
