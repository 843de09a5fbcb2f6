#include "qt/preview_box.h"

#include "layout/control_properties.h"

#include <QPainter>

namespace tintora::qt {
namespace {

QColor fromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>(bgr >> 8 & 0xFFu),
                  static_cast<int>(bgr >> 16 & 0xFFu));
}

} // namespace

PreviewBox::PreviewBox(QWidget* parent)
    : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    // Paints every pixel itself: Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewBox::setColour(std::uint32_t bgr) {
    if (colour_ == bgr) {
        return;
    }
    colour_ = bgr;
    update();
}

void PreviewBox::paintEvent(QPaintEvent* event) {
    ++paintCount_;
    {
        QPainter painter(this);
        painter.fillRect(rect(), colour_ ? fromBgr(*colour_) : palette().color(QPalette::Base));
    }
    QFrame::paintEvent(event);
    if (hasFocus()) {
        // Dots that invert what lies beneath, as Windows draws a focus
        // rectangle: seen on every colour, and outside the colour area, which
        // a style's focus frame would tint.
        QPainter painter(this);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
        const int inset = PreviewFocusOutline - 1;
        painter.drawRect(contentsRect().adjusted(inset, inset, -inset - 1, -inset - 1));
    }
}

QRect PreviewBox::colourArea() const {
    return contentsRect().adjusted(PreviewFocusOutline, PreviewFocusOutline, -PreviewFocusOutline,
                                   -PreviewFocusOutline);
}

} // namespace tintora::qt
