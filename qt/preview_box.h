// The colour preview. It starts in the palette's base colour (the system's
// window background) and repaints only when its colour really changes, so a
// timer tick that finds the colour unchanged costs no paint.
#pragma once

#include <QFrame>

#include <cstdint>
#include <optional>

namespace tintora::qt {

class PreviewBox final : public QFrame {
    Q_OBJECT
public:
    explicit PreviewBox(QWidget* parent = nullptr);

    // 0x00BBGGRR, as the mixer computes it.
    void setColour(std::uint32_t bgr);
    [[nodiscard]] std::optional<std::uint32_t> colour() const { return colour_; }
    [[nodiscard]] int paintCountForTesting() const { return paintCount_; }
    // Where only the colour shows: within the frame and the focus outline.
    [[nodiscard]] QRect colourArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<std::uint32_t> colour_;
    int paintCount_ = 0;
};

} // namespace tintora::qt
