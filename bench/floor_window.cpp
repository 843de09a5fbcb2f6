// The floor Tintora is measured against: a bare Qt 6 window of the same client
// size holding the same controls with the same texts, built the plainest way,
// and a 50 ms timer whose slot does nothing. No translations, icon, names or
// event filters. bench/measure.sh runs it next to the program; with
// TINTORA_FLOOR_TIMER=off it has no timer at all, the floor for an idle window
// whose only activity is a focused line edit's caret.
#include "layout/layout_table.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

#ifdef TINTORA_MEASUREMENT_PROBE
#include "measurement_probe.h"
#endif

namespace {

QWidget* makeControl(const tintora::ControlRow& row, QWidget* parent) {
    switch (row.controlClass) {
    case tintora::ControlClass::PictureBox:
        return new QWidget(parent);
    case tintora::ControlClass::TextBox: {
        auto* box = new QLineEdit(QString::fromUtf8(row.content), parent);
        box->setMaxLength(row.maxLength);
        return box;
    }
    case tintora::ControlClass::HScrollBar: {
        auto* slider = new QScrollBar(Qt::Horizontal, parent);
        slider->setRange(tintora::SliderMin, tintora::SliderMax);
        return slider;
    }
    case tintora::ControlClass::Label:
        break;
    }
    return new QLabel(QString::fromUtf8(row.content), parent);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QString::fromUtf8(tintora::formRow.caption));
    window.setFixedSize(tintora::clientWidthPixels, tintora::clientHeightPixels);
    for (const tintora::ControlRow& row : tintora::layoutTable) {
        makeControl(row, &window)
            ->setGeometry(tintora::twipsToPixels(row.left), tintora::twipsToPixels(row.top),
                          tintora::twipsToPixels(row.width), tintora::twipsToPixels(row.height));
    }
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, [] {});
    if (qEnvironmentVariable("TINTORA_FLOOR_TIMER") != QStringLiteral("off")) {
        timer.start(tintora::TimerIntervalMs);
    }

#ifdef TINTORA_MEASUREMENT_PROBE
    tintora::measurement::Probe probe(window);
#endif
    window.show();
    return QApplication::exec();
}
