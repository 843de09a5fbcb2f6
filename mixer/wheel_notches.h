// A slider moves one step for each whole notch of the wheel turned over it.
// A notch is 120 units (WHEEL_DELTA on Windows; Qt's angleDelta, in eighths of
// a degree, gives 15 degrees a notch); a high-resolution wheel or a touchpad
// sends parts of one, which add up until they make a notch. Turning the other
// way drops what had added up. Positive is away from the user, or to the right
// on a horizontal wheel or a tilt: both increase the value.
#pragma once

namespace tintora {

inline constexpr int WheelNotch = 120;

class WheelNotches {
public:
    // The whole notches that `delta` completes, signed.
    [[nodiscard]] constexpr int add(int delta) {
        if ((delta > 0 && pending_ < 0) || (delta < 0 && pending_ > 0)) {
            pending_ = 0;
        }
        pending_ += delta;
        const int notches = pending_ / WheelNotch;
        pending_ -= notches * WheelNotch;
        return notches;
    }

private:
    int pending_ = 0;
};

} // namespace tintora
