#include "mixer_testing/memory_widgets.h"

#include "mixer/control_characters.h"
#include "mixer/failure.h"

namespace tintora {
namespace {

void checkIndex(std::int16_t index) {
    if (index < 0 || index >= ChannelCount) {
        throw Failure{};
    }
}

constexpr bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

constexpr bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

MemoryWidgets::MemoryWidgets() {
    text1_.fill(u"0");
    text2_.fill(u"0");
}

Text& MemoryWidgets::box(TextGroup group, std::int16_t index) {
    checkIndex(index);
    return group == TextGroup::Text1 ? text1_[index] : text2_[index];
}

const Text& MemoryWidgets::box(TextGroup group, std::int16_t index) const {
    checkIndex(index);
    return group == TextGroup::Text1 ? text1_[index] : text2_[index];
}

Text MemoryWidgets::text(TextGroup group, std::int16_t index) const {
    return box(group, index);
}

void MemoryWidgets::store(TextGroup group, std::int16_t index, std::u16string_view text) {
    const auto cut = cutToLength(text, maxLength(group));
    Text& held = box(group, index);
    if (held == cut) {
        return;
    }
    held.assign(cut);
    if (events_.change) {
        events_.change(group, index);
    }
}

void MemoryWidgets::setText(TextGroup group, std::int16_t index, std::u16string_view text) {
    store(group, index, text);
}

std::int16_t MemoryWidgets::value(std::int16_t index) const {
    checkIndex(index);
    return sliders_[index];
}

void MemoryWidgets::setValue(std::int16_t index, std::int16_t value) {
    checkIndex(index);
    if (value < SliderMin || value > SliderMax) {
        throw Failure{};
    }
    if (sliders_[index] == value) {
        return;
    }
    sliders_[index] = value;
    if (events_.scroll) {
        events_.scroll(index);
    }
}

void MemoryWidgets::setBackColor(Colour colour) {
    if (backColor_ == colour) {
        return; // an unchanged colour costs no repaint
    }
    backColor_ = colour;
    ++paintCount_;
}

void MemoryWidgets::showNotice(std::u16string_view prompt, std::u16string_view title) {
    notices_.push_back({Text(prompt), Text(title)});
    ++openNotices_;
    if (whileNoticeOpen_) {
        whileNoticeOpen_();
    }
    --openNotices_;
}

void MemoryWidgets::userReplace(TextGroup group, std::int16_t index, std::u16string_view text) {
    store(group, index, text);
}

void MemoryWidgets::userType(TextGroup group, std::int16_t index, std::u16string_view keys) {
    std::size_t at = 0;
    while (at < keys.size()) {
        // One key gives one character: a surrogate pair is one key.
        const bool pair =
            isHighSurrogate(keys[at]) && at + 1 < keys.size() && isLowSurrogate(keys[at + 1]);
        const std::u16string_view key = keys.substr(at, pair ? 2 : 1);
        at += key.size();
        Text next = box(group, index);
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
        store(group, index, next);
    }
}

void MemoryWidgets::userClick(std::int16_t index) {
    checkIndex(index);
    if (events_.click) {
        events_.click(index);
    }
}

void MemoryWidgets::userScroll(std::int16_t index, std::int16_t value) {
    setValue(index, value);
}

void MemoryWidgets::userTick() {
    if (events_.timer) {
        events_.timer();
    }
}

} // namespace tintora
