// Lets the caret of a focused text box rest after a quiet spell, as GTK and
// Windows do: once the user has pressed no key and clicked nowhere in the
// application for that long, the caret stops blinking and stays drawn, so an
// idle window with a focused box no longer wakes ten times a second. The next
// key press, click or wheel turn, or a text box taking the focus, sets it
// blinking again at once.
//
// It works through the style hints' cursor flash time, which Qt's text boxes
// follow as it changes: at 0 a box kills its blink timer and leaves the caret
// shown; on waking the style hints follow the platform's own flash time
// again. A desktop whose flash time is already 0 never blinks, and nothing
// changes for it.
#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

class QCoreApplication;

namespace tintora::qt {

class CaretRest final : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultQuietSpell{10'000};

    // Watches every input event of `app`, and lives as long as it.
    explicit CaretRest(QCoreApplication& app);

    void setQuietSpell(std::chrono::milliseconds quietSpell);
    [[nodiscard]] bool isResting() const { return resting_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wake();
    void rest();

    QTimer quietSpell_;
    bool resting_ = false;
};

} // namespace tintora::qt
