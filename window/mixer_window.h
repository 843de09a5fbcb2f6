// The mixer's one window, built from the layout table with real Qt widgets.
// It only realises the layout and reports decimal-box clicks; the logic lives
// in Form1 and is bound to these widgets at start-up.
#pragma once

#include "mixer/mixer_widgets.h"

#include <QWidget>

#include <array>
#include <string_view>
#include <vector>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace tintora {

class PreviewBox;
class TickTimer;

class MixerWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MixerWindow(QWidget* parent = nullptr);
    ~MixerWindow() override;

    [[nodiscard]] QLineEdit* decimalBox(int index) const { return decimalBoxes_.at(index); }
    [[nodiscard]] QLineEdit* hexBox(int index) const { return hexBoxes_.at(index); }
    [[nodiscard]] QScrollBar* slider(int index) const { return sliders_.at(index); }
    [[nodiscard]] PreviewBox* preview() const { return preview_; }
    [[nodiscard]] TickTimer* timer() const { return timer_; }
    // The widget realising a row of the layout table, by name and index.
    [[nodiscard]] QWidget* control(std::string_view name, int index = -1) const;

signals:
    // A mouse click (press and release inside the box) on a decimal box.
    // Keyboard focus changes are not clicks.
    void decimalBoxClicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLineEdit*, ChannelCount> decimalBoxes_{};
    std::array<QLineEdit*, ChannelCount> hexBoxes_{};
    std::array<QScrollBar*, ChannelCount> sliders_{};
    PreviewBox* preview_ = nullptr;
    TickTimer* timer_ = nullptr;
    std::vector<QWidget*> controls_; // parallel to the layout table
};

} // namespace tintora
