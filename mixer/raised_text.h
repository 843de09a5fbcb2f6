// The text a box's last Change was raised for. A toolkit may signal an edit
// that leaves a box's text as it was (a paste of what the box already holds
// over its selection does); the logic sees a box's Change only when its text
// differs from the one its last Change was raised for.
#pragma once

#include <string>
#include <string_view>

namespace tintora {

class RaisedText {
public:
    explicit RaisedText(std::u16string_view initial = {})
        : last_(initial) {}

    // Whether the box now holding `now` has changed; if so, `now` becomes the
    // text of its last Change.
    [[nodiscard]] bool changesTo(std::u16string_view now) {
        if (now == last_) {
            return false;
        }
        last_.assign(now);
        return true;
    }

private:
    std::u16string last_;
};

} // namespace tintora
