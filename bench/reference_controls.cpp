#include "bare_controls.h"

#include "layout/layout_table.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

namespace tintora::bare {
namespace {

QWidget* makeControl(const ControlRow& row, QWidget* parent, Controls& controls) {
    switch (row.controlClass) {
    case ControlClass::PictureBox:
        controls.preview = new QWidget(parent);
        return controls.preview;
    case ControlClass::TextBox: {
        auto* box = new QLineEdit(QString::fromUtf8(row.content), parent);
        box->setMaxLength(row.maxLength);
        (row.name == "Text1" ? controls.decimalBoxes : controls.hexBoxes).at(row.index) = box;
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

Controls build(QWidget& window) {
    Controls controls;
    window.setWindowTitle(QString::fromUtf8(formRow.caption));
    window.setFixedSize(clientWidthPixels, clientHeightPixels);
    for (const ControlRow& row : layoutTable) {
        makeControl(row, &window, controls)
            ->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width),
                          twipsToPixels(row.height));
    }
    return controls;
}

} // namespace tintora::bare
