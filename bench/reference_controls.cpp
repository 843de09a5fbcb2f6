#include "reference_controls.h"

#include "layout/control_placement.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

namespace tintora::bench {
namespace {

QWidget* makeControl(const ControlRow& row, QWidget* parent, ReferenceControls& controls) {
    switch (row.controlClass) {
    case ControlClass::PictureBox:
        controls.preview = new QWidget(parent);
        return controls.preview;
    case ControlClass::TextBox: {
        auto* box = new QLineEdit(QString::fromUtf8(row.content), parent);
        box->setMaxLength(row.maxLength);
        (row.radix == Radix::Decimal ? controls.decimalBoxes : controls.hexBoxes).at(row.index) =
            box;
        return box;
    }
    case ControlClass::HScrollBar: {
        auto* slider = new QScrollBar(Qt::Horizontal, parent);
        slider->setRange(SliderMin, SliderMax);
        controls.sliders.at(row.index) = slider;
        return slider;
    }
    case ControlClass::Label:
        break;
    }
    return new QLabel(QString::fromUtf8(row.content), parent);
}

} // namespace

ReferenceControls buildReferenceControls(QWidget& window) {
    ReferenceControls controls;
    window.setWindowTitle(QString::fromUtf8(formRow.caption));
    window.setFixedSize(clientWidthPixels, clientHeightPixels);
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        QWidget* control = makeControl(layoutTable[row], &window, controls);
        const PixelRect place = pixelRect(layoutTable[row]);
        control->setGeometry(place.left, place.top, place.width, place.height);
        controls.byRow.at(row) = control;
    }
    return controls;
}

} // namespace tintora::bench
