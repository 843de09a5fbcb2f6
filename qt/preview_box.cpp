#include "qt/preview_box.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace tintora {
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
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = contentsRect().adjusted(2, 2, -2, -2);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

} // namespace tintora
