// Plays the scenarios' user actions with real key, mouse and wheel events on
// the real window (offscreen). The timer is stopped so that ticks come only
// when a scenario asks for one.
#pragma once

#include "notice_watcher.h"
#include "qt/qt_bound_mixer.h"
#include "scenarios/mixer_driver.h"

#include <QStyle>

class QLineEdit;
class QScrollBar;

namespace tintora::testing {

// Types text as key events into the widget that has the focus: '\b' is
// Backspace, every other character (a surrogate pair being one) a key that
// produces it.
void typeKeys(QWidget* widget, const QString& keys);

// Where a part of a scroll bar (thumb, groove, arrows, trough) lies.
QRect sliderPart(QScrollBar* slider, QStyle::SubControl part);

// Presses the thumb, moves it a pixel at a time towards `target` and lets go at
// the nearest position at or before it. `eachMove` runs after every move.
void dragThumb(QScrollBar* slider, int target, const std::function<void()>& eachMove = {});

// Waits until a shown window is exposed and the platform has given it the
// keyboard, asking for it where no window manager would. On Wayland only the
// compositor gives it (a client cannot take it), and Qt's
// qWaitForWindowActive there only waits for the window to be exposed.
[[nodiscard]] bool waitForActivation(QWidget* window);

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
