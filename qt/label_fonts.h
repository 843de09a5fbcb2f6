// The labels' fonts: the window's font, or, for a label whose text the
// window's edge would cut, a smaller size of it (layout/label_fit.h).
#pragma once

class QLabel;

namespace tintora::qt {

// Gives `label`, whose text starts `left` pixels into a window `windowWidth`
// wide, the font its text fits in, starting again from the window's font so
// that a desktop font that changed since is fitted afresh; returns the width
// the text needs in it.
int fitLabelFont(QLabel* label, int left, int windowWidth);

} // namespace tintora::qt
