#include "qt/label_fonts.h"

#include "layout/label_fit.h"

#include <QFontMetrics>
#include <QLabel>

namespace tintora::qt {

int fitLabelFont(QLabel* label, int left, int windowWidth) {
    label->setFont(QFont()); // the window's font, inherited
    QFont font = label->font();
    const double points = fittedPointSize(left, windowWidth, font.pointSizeF(), [&](double size) {
        QFont sized = font;
        sized.setPointSizeF(size);
        return QFontMetrics(sized).horizontalAdvance(label->text());
    });
    if (points != font.pointSizeF()) {
        font.setPointSizeF(points);
        label->setFont(font);
    }
    return label->sizeHint().width();
}

} // namespace tintora::qt
