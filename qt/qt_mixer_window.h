// The mixer's one window, built from the layout table with real Qt widgets.
// It realises the layout and raises the five events the logic is bound to;
// the logic itself is Form1's.
//
// Where a Qt widget differs from the widget contract, the difference is
// evened out here:
//  - QLineEdit also reports an edit that leaves its text as it was: Change is
//    raised only when the text differs from the one of the last Change;
//  - a QLineEdit has no click signal: a left-button release inside a decimal
//    box is its Click; keyboard focus changes are not clicks.
#pragma once

#include "mixer/mixer_events.h"
#include "mixer/mixer_widgets.h"

#include <QWidget>

#include <array>
#include <string_view>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace tintora::qt {

class PreviewBox;
class TickTimer;

class QtMixerWindow final : public QWidget {
    Q_OBJECT
public:
    explicit QtMixerWindow(QWidget* parent = nullptr);
    ~QtMixerWindow() override;

    // Form1 binds its handlers with bind(handlersOf(form)).
    void bind(MixerEvents events) { events_ = std::move(events); }

    [[nodiscard]] QLineEdit* decimalBox(int index) const { return decimalBoxes_.at(index); }
    [[nodiscard]] QLineEdit* hexBox(int index) const { return hexBoxes_.at(index); }
    [[nodiscard]] QLineEdit* box(TextGroup group, int index) const {
        return group == TextGroup::Text1 ? decimalBox(index) : hexBox(index);
    }
    [[nodiscard]] QScrollBar* slider(int index) const { return sliders_.at(index); }
    [[nodiscard]] PreviewBox* preview() const { return preview_; }
    [[nodiscard]] TickTimer* timer() const { return timer_; }
    // The widget realising a row of the layout table, by name and index.
    [[nodiscard]] QWidget* control(std::string_view name, int index = -1) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Places every control and fits the labels to the window's font.
    void layOut();
    // Direct connections only: each event must run inside the assignment or
    // the keystroke that raised it, so that one user action runs as one cascade.
    void raiseEvents();

    std::array<QLineEdit*, ChannelCount> decimalBoxes_{};
    std::array<QLineEdit*, ChannelCount> hexBoxes_{};
    std::array<QScrollBar*, ChannelCount> sliders_{};
    PreviewBox* preview_ = nullptr;
    TickTimer* timer_ = nullptr;
    std::vector<QWidget*> controls_; // parallel to the layout table
    MixerEvents events_;
    bool screenWatched_ = false;
};

} // namespace tintora::qt
