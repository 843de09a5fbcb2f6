// A toolkit may report an edit that leaves a box's text as it was: a paste of
// what the box already holds over its selection does. The logic sees a box's
// Change only when its text differs from the one of the box's last Change.
#pragma once

#include <string>
#include <string_view>

namespace tintora {

class ReportedText {
public:
    explicit ReportedText(std::u16string_view initial = {})
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
