// Random user sessions on the real window: the in-memory property run's kind
// of sequence, shorter, played with real key, mouse and drag events. What the
// model cannot show is checked here: Qt's own edits (key handling, paste,
// maxLength, slider keys) nesting with the handlers' assignments.
//
//   TINTORA_WINDOW_PROPERTY_SESSIONS=N   sessions to play (default 20, 150 actions each)
//   TINTORA_WINDOW_PROPERTY_SEED=S       replays session S alone
#include "qt_driver.h"
#include "window/preview_box.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <random>

namespace tintora::testing {
namespace {

constexpr int ActionsPerSession = 150;
constexpr int DepthBound = 8; // the model's deepest cascade is 6

const std::u16string keys = u"0123456789012345.+-eE \taAcCfFgx&,\uFF11\u4E2D\b\b";
const std::u16string_view pastes[] = {u"256", u"-5", u"",  u"1e2", u"c8",  u"0A",
                                      u"2.5", u"FF", u"x", u"007", u" 12", u"-.4"};

class WindowSession {
public:
    explicit WindowSession(std::uint64_t seed)
        : random_(seed) {
        d_.form().setTrace(&log_);
        d_.whileNoticeOpen([this] {
            // The window takes no input under the notice; only ticks reach it.
            const int ticks = pick(0, 2);
            for (int i = 0; i < ticks; ++i) {
                d_.tick();
            }
        });
    }
    ~WindowSession() { d_.form().setTrace(nullptr); }
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;

    // Plays the session; returns the first broken invariant, or "".
    std::string run() {
        for (int step = 0; step < ActionsPerSession; ++step) {
            const DecimalTexts before = decimalTexts();
            const int noticesBefore = d_.noticeCount();
            const bool ticked = act();
            if (std::string broken = check(); !broken.empty()) {
                return "action " + std::to_string(step) + ": " + broken;
            }
            if (ticked) {
                // No notice storm: a second tick over the same failing texts stays silent.
                const bool reported = d_.noticeCount() > noticesBefore;
                if (reported && decimalTexts() == before) {
                    const int afterFirst = d_.noticeCount();
                    d_.tick();
                    if (d_.noticeCount() != afterFirst) {
                        return "action " + std::to_string(step) + ": a tick reported twice";
                    }
                }
            }
        }
        return {};
    }

    [[nodiscard]] int notices() const { return d_.noticeCount(); }
    [[nodiscard]] int deepest() const { return log_.deepest; }

private:
    using DecimalTexts = std::array<Text, ChannelCount>;

    int pick(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }

    DecimalTexts decimalTexts() const {
        return {d_.text(TextGroup::Text1, 0), d_.text(TextGroup::Text1, 1),
                d_.text(TextGroup::Text1, 2)};
    }

    std::u16string randomKeys() {
        std::u16string typed;
        for (int i = pick(1, 4); i > 0; --i) {
            typed += keys[static_cast<std::size_t>(pick(0, static_cast<int>(keys.size()) - 1))];
        }
        return typed;
    }

    // One user action; true when it was a tick.
    bool act() {
        const auto index = static_cast<std::int16_t>(pick(0, 2));
        const auto group = pick(0, 2) == 0 ? TextGroup::Text2 : TextGroup::Text1;
        switch (pick(0, 6)) {
        case 0:
            d_.click(index);
            break;
        case 1:
        case 2:
            d_.type(group, index, randomKeys());
            break;
        case 3:
            d_.paste(group, index,
                     pick(0, 1) == 0 ? pastes[pick(0, std::size(pastes) - 1)] : randomKeys());
            break;
        case 4: {
            QScrollBar* slider = d_.window.slider(index);
            if (pick(0, 3) == 0) {
                const int target = pick(0, 255);
                dragThumb(slider, [&] { return slider->sliderPosition() >= target; });
            } else {
                d_.focusByKeyboard(slider);
                static constexpr Qt::Key sliderKeys[] = {Qt::Key_Left,   Qt::Key_Right,
                                                         Qt::Key_Home,   Qt::Key_End,
                                                         Qt::Key_PageUp, Qt::Key_PageDown};
                QTest::keyClick(slider, sliderKeys[pick(0, 5)]);
            }
            break;
        }
        default:
            d_.tick();
            return true;
        }
        return false;
    }

    std::string check() const {
        if (d_.notices.deepestOpen() > 1) {
            return "two notices open at once";
        }
        if (log_.depth != 0 || log_.deepest > DepthBound) {
            return "cascade depth " + std::to_string(log_.deepest);
        }
        for (std::int16_t i = 0; i < ChannelCount; ++i) {
            if (d_.text(TextGroup::Text1, i).size() > 3 ||
                d_.text(TextGroup::Text2, i).size() > 2) {
                return "a box holds more than its MaxLength";
            }
            if (d_.value(i) < 0 || d_.value(i) > 255) {
                return "a slider left 0..255";
            }
        }
        if (d_.backColor().value_or(0) > 0xFFFFFFu) {
            return "the preview holds no colour";
        }
        return {};
    }

    std::mt19937_64 random_;
    QtDriver d_;
    CallLog log_;
};

TEST(WindowProperty, RandomSessionsKeepTheInvariants) {
    const bool replay = qEnvironmentVariableIsSet("TINTORA_WINDOW_PROPERTY_SEED");
    const std::uint64_t first =
        replay ? qEnvironmentVariable("TINTORA_WINDOW_PROPERTY_SEED").toULongLong() : 1;
    const int sessions =
        replay ? 1 : qEnvironmentVariableIntValue("TINTORA_WINDOW_PROPERTY_SESSIONS");
    const int count = sessions > 0 ? sessions : 20;
    int notices = 0;
    int deepest = 0;
    for (std::uint64_t seed = first; seed < first + static_cast<std::uint64_t>(count); ++seed) {
        WindowSession session(seed);
        const std::string broken = session.run();
        ASSERT_TRUE(broken.empty()) << "TINTORA_WINDOW_PROPERTY_SEED=" << seed << " " << broken;
        notices += session.notices();
        deepest = std::max(deepest, session.deepest());
    }
    std::printf("played %d sessions of %d actions on the real window: %d notices, deepest "
                "cascade %d\n",
                count, ActionsPerSession, notices, deepest);
}

} // namespace
} // namespace tintora::testing
