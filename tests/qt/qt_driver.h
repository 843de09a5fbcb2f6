// Plays the scenarios' user actions with real key, mouse and wheel events on
// the real window (offscreen). The timer is stopped so that ticks come only
// when a scenario asks for one.
#pragma once

#include "qt/qt_bound_mixer.h"
#include "qt_testing/notice_watcher.h"
#include "qt_testing/window_input.h"
#include "scenarios/mixer_driver.h"

#include <QStyle>

class QLineEdit;
class QScrollBar;

namespace tintora::testing {

class QtDriver final : public MixerDriver {
public:
    QtDriver();
    ~QtDriver() override;

    void paste(TextGroup group, std::int16_t index, std::u16string_view text) override;
    void type(TextGroup group, std::int16_t index, std::u16string_view keys) override;
    void click(std::int16_t index) override;
    void scroll(std::int16_t index, std::int16_t value) override;
    void tick() override;
    void whileNoticeOpen(std::function<void()> action) override;

    [[nodiscard]] Text text(TextGroup group, std::int16_t index) const override;
    [[nodiscard]] std::int16_t value(std::int16_t index) const override;
    [[nodiscard]] std::optional<Colour> backColor() const override;
    [[nodiscard]] int noticeCount() const override;
    [[nodiscard]] int openNotices() const override { return notices.open(); }
    [[nodiscard]] bool timerEnabled() const override;
    [[nodiscard]] Form1& form() override { return mixer_.form(); }

    [[nodiscard]] QLineEdit* box(TextGroup group, std::int16_t index) const;
    // Gives the focus to a widget the way the Tab key does (no click).
    void focusByKeyboard(QWidget* widget);
    // Makes the window the active one again, as closing a notice does.
    void activate();

private:
    QtBoundMixer mixer_; // the real modal notice: `notices` answers it

public:
    QtMixerWindow& window = mixer_.window;
    NoticeWatcher notices;
};

} // namespace tintora::testing
