#include "mixer_testing/in_memory_widgets.h"

#include "mixer/control_characters.h"

namespace tintora {

InMemoryWidgets::InMemoryWidgets() {
    text1_.fill(u"0");
    text2_.fill(u"0");
    carets_.fill({1, 1});
}

Text InMemoryWidgets::heldText(TextGroup group, std::int16_t index) const {
    return (group == TextGroup::Text1 ? text1_ : text2_).at(index);
}

void InMemoryWidgets::assignText(TextGroup group, std::int16_t index, std::u16string_view text) {
    Text& held = (group == TextGroup::Text1 ? text1_ : text2_).at(index);
    held.assign(text);
    caretOf(group, index) = {held.size(), held.size()};
    if (events_.change) {
        events_.change(group, index);
    }
}

std::int16_t InMemoryWidgets::heldValue(std::int16_t index) const {
    return sliders_.at(index);
}

void InMemoryWidgets::assignValue(std::int16_t index, std::int16_t value) {
    sliders_[index] = value;
    if (events_.scroll) {
        events_.scroll(index);
    }
}

void InMemoryWidgets::setBackColor(Colour colour) {
    if (backColor_ == colour) {
        return; // an unchanged colour costs no repaint
    }
    backColor_ = colour;
    ++paintCount_;
}

void InMemoryWidgets::showNotice(std::u16string_view prompt, std::u16string_view title) {
    notices_.push_back({Text(prompt), Text(title)});
    ++openNotices_;
    if (whileNoticeOpen_) {
        whileNoticeOpen_();
    }
    --openNotices_;
}

void InMemoryWidgets::userReplace(TextGroup group, std::int16_t index, std::u16string_view text) {
    setText(group, index, withoutHalfPairs(text));
}

void InMemoryWidgets::userType(TextGroup group, std::int16_t index, std::u16string_view keys) {
    std::size_t at = 0;
    while (at < keys.size()) {
        // One key gives one character: a surrogate pair is one key.
        const bool pair = pairStartsAt(keys, at);
        const std::u16string_view key = keys.substr(at, pair ? 2 : 1);
        at += key.size();
        Text next = text(group, index);
        if (key == u"\b") {
            if (next.empty()) {
                continue;
            }
            // Backspace takes the whole character before the end.
            next.resize(cutToLength(next, static_cast<int>(next.size()) - 1).size());
        } else if (!pair && (isControlCharacter(key[0]) || isHighSurrogate(key[0]) ||
                             isLowSurrogate(key[0]))) {
            continue; // control characters and lone surrogates insert nothing, as in a line edit
        } else if (next.size() + key.size() > static_cast<std::size_t>(maxLength(group))) {
            continue; // what does not fit whole is refused whole
        } else {
            next.append(key);
        }
        setText(group, index, next);
    }
}

void InMemoryWidgets::userClick(std::int16_t index) {
    if (events_.click) {
        events_.click(checked(index));
    }
}

void InMemoryWidgets::userScroll(std::int16_t index, std::int16_t value) {
    setValue(index, value);
}

void InMemoryWidgets::userTick() {
    if (events_.timer) {
        events_.timer();
    }
}

} // namespace tintora

namespace tintora {

namespace {

std::size_t slotOf(TextGroup group, std::int16_t index) {
    return static_cast<std::size_t>((group == TextGroup::Text1 ? 0 : ChannelCount) + index);
}

} // namespace

InMemoryWidgets::Caret& InMemoryWidgets::caretOf(TextGroup group, std::int16_t index) {
    return carets_.at(slotOf(group, checked(index)));
}

InMemoryWidgets::Caret InMemoryWidgets::caret(TextGroup group, std::int16_t index) const {
    return carets_.at(slotOf(group, checked(index)));
}

void InMemoryWidgets::userEdit(TextGroup group, std::int16_t index, std::u16string_view text,
                               std::size_t caret) {
    Text& held = (group == TextGroup::Text1 ? text1_ : text2_).at(checked(index));
    caretOf(group, index) = {caret, caret};
    if (held == text) {
        return;
    }
    held.assign(text);
    if (events_.change) {
        events_.change(group, index);
    }
}

void InMemoryWidgets::userSelect(TextGroup group, std::int16_t index, Caret caret) {
    caretOf(group, index) = caret;
}

} // namespace tintora
