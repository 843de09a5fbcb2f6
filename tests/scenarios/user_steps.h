// The user's side of the mixer as the behaviour scenarios take it, in steps
// (paste over a whole box, type at a box's end, click a decimal box, move a
// slider, a tick), each played as the actions a user takes for it, on any
// player's window: the in-memory one, the Qt one, the Win32 one. A box is
// reached with Tab (which selects its text), never with a click, so that the
// remembered text changes only where a scenario clicks.
#pragma once

#include "mixer/form1.h"
#include "mixer/surrogate_pairs.h"
#include "mixer_testing/window_player.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace tintora::testing {

template <typename Player> class UserSteps {
public:
    UserSteps() {
        player.whileNoticeOpen([this] {
            ++notices_;
            ++open_;
            if (whileNoticeOpen_) {
                whileNoticeOpen_();
            }
            --open_;
        });
    }

    // Replaces the whole box at once, as a paste over its selected text; an
    // empty text, as Delete does.
    void paste(TextGroup group, std::int16_t index, std::u16string_view text) {
        focusByKeyboard(rowOf(group, index));
        press(Key::A, Control);
        if (text.empty()) {
            press(Key::Delete);
            return;
        }
        UserAction copy;
        copy.kind = UserAction::Kind::Copy;
        copy.text = text;
        player.play(copy);
        press(Key::V, Control);
    }
    // Types keys at the end of the box: '\b' is Backspace, every other
    // character (a surrogate pair being one) a key that produces it.
    void type(TextGroup group, std::int16_t index, std::u16string_view keys) {
        focusByKeyboard(rowOf(group, index));
        press(Key::End);
        for (std::size_t at = 0; at < keys.size();) {
            if (keys[at] == u'\b') {
                press(Key::Backspace);
                ++at;
                continue;
            }
            UserAction key;
            key.kind = UserAction::Kind::Type;
            key.text = keys.substr(at, pairStartsAt(keys, at) ? 2 : 1);
            at += key.text.size();
            player.play(key);
        }
    }
    // A mouse click into a decimal box.
    void click(std::int16_t index) {
        UserAction click;
        click.kind = UserAction::Kind::Click;
        click.row = rowOf(TextGroup::Text1, index);
        click.spot = Spot::AfterText;
        player.play(click);
    }
    // The slider's thumb dragged to `value` and let go.
    void scroll(std::int16_t index, std::int16_t value) {
        UserAction drag;
        drag.kind = UserAction::Kind::Drag;
        drag.row = *tintora::rowOf("HScroll1", index);
        drag.amount = value;
        player.play(drag);
    }
    void tick() { player.play(UserAction{}); }
    // What happens while each notice is open, before it is dismissed.
    void whileNoticeOpen(std::function<void()> action) { whileNoticeOpen_ = std::move(action); }

    [[nodiscard]] Text text(TextGroup group, std::int16_t index) {
        return player.seen().texts.at(
            static_cast<std::size_t>((group == TextGroup::Text1 ? 0 : ChannelCount) + index));
    }
    [[nodiscard]] std::int16_t value(std::int16_t index) {
        return static_cast<std::int16_t>(player.seen().values.at(static_cast<std::size_t>(index)));
    }
    [[nodiscard]] std::optional<Colour> backColor() { return player.seen().preview; }
    [[nodiscard]] int noticeCount() const { return notices_; }
    // Notices open right now: one inside whileNoticeOpen, none between steps.
    [[nodiscard]] int openNotices() const { return open_; }
    [[nodiscard]] bool timerEnabled() { return player.seen().timerRunning; }
    [[nodiscard]] Form1& form() { return player.form(); }

    Player player;

private:
    static std::size_t rowOf(TextGroup group, std::int16_t index) {
        return *tintora::rowOf(group == TextGroup::Text1 ? "Text1" : "Text2", index);
    }
    void press(Key key, unsigned modifiers = NoModifier) {
        UserAction press;
        press.kind = UserAction::Kind::Press;
        press.key = key;
        press.modifiers = modifiers;
        player.play(press);
    }
    void focusByKeyboard(std::size_t row) {
        for (std::size_t presses = 0; presses < layoutTable.size(); ++presses) {
            if (player.seen().focus == row) {
                return;
            }
            press(Key::Tab);
        }
        throw std::runtime_error("Tab never reached the box");
    }

    std::function<void()> whileNoticeOpen_;
    int notices_ = 0;
    int open_ = 0;
};

} // namespace tintora::testing
