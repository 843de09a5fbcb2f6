#include "qt/qt_mixer_window.h"

#include "layout/accessible_names.h"
#include "layout/control_placement.h"
#include "mixer/raised_text.h"
#include "qt/edit_box.h"
#include "qt/label_fonts.h"
#include "qt/preview_box.h"
#include "qt/scroll_bar.h"
#include "qt/tick_timer.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWindow>

namespace tintora::qt {
namespace {

QLabel* makeLabel(const ControlRow& row, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(row.content), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    label->setTextFormat(Qt::PlainText);
    return label;
}

std::u16string_view utf16(QStringView text) {
    return {text.utf16(), static_cast<std::size_t>(text.size())};
}

} // namespace

QtMixerWindow::QtMixerWindow(QWidget* parent)
    : QWidget(parent) {
    setWindowTitle(QString::fromUtf8(formRow.caption));
    setFixedSize(clientWidthPixels, clientHeightPixels);

    // Rows come in tab order, and Qt's default focus chain is creation order.
    controls_.reserve(layoutTable.size());
    for (const ControlRow& row : layoutTable) {
        QWidget* widget = nullptr;
        switch (row.controlClass) {
        case ControlClass::PictureBox:
            preview_ = new PreviewBox(this);
            widget = preview_;
            break;
        case ControlClass::TextBox: {
            auto* box = new qt::EditBox(row, this);
            if (row.radix == Radix::Decimal) {
                decimalBoxes_.at(row.index) = box;
                box->installEventFilter(this);
            } else {
                hexBoxes_.at(row.index) = box;
            }
            widget = box;
            break;
        }
        case ControlClass::HScrollBar:
            widget = sliders_.at(row.index) = new qt::ScrollBar(this);
            break;
        case ControlClass::Label:
            widget = makeLabel(row, this);
            break;
        }
        widget->setObjectName(row.index < 0 ? QString::fromUtf8(row.name)
                                            : QString::fromUtf8(row.name) + u'_' +
                                                  QString::number(row.index));
        widget->setAccessibleName(QString::fromStdString(tintora::accessibleName(row)));
        controls_.push_back(widget);
    }
    layOut();
    // Some labels share a pixel row or column with a box or slider; there the
    // box or slider lies on top and takes the click. The labels keep their
    // order among themselves, and the focus chain, built as the controls were
    // created, is not affected by stacking.
    for (auto control = controls_.rbegin(); control != controls_.rend(); ++control) {
        if (qobject_cast<QLabel*>(*control) != nullptr) {
            (*control)->lower();
        }
    }
    preview_->setFocus(Qt::OtherFocusReason);

    timer_ = new TickTimer(this);
    raiseEvents();
}

QtMixerWindow::~QtMixerWindow() = default;

// Qt scales device-independent pixels itself: the table is placed at 96 DPI.
void QtMixerWindow::layOut() {
    placeControls(
        BaseDpi,
        [this](std::size_t row, int left, int windowWidth) {
            return fitLabelFont(static_cast<QLabel*>(controls_[row]), left, windowWidth);
        },
        [this](std::size_t row, PixelRect rect) {
            controls_[row]->setGeometry(rect.left, rect.top, rect.width, rect.height);
        });
}

// On a screen of another DPI the fonts measure anew, and so do the labels.
void QtMixerWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!screenWatched_) {
        screenWatched_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { layOut(); });
    }
}

void QtMixerWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange) {
        layOut(); // the desktop's font changed
    }
}

void QtMixerWindow::raiseEvents() {
    for (std::int16_t index = 0; index < ChannelCount; ++index) {
        connect(
            slider(index), &QScrollBar::valueChanged, this,
            [this, index] {
                if (events_.scroll) {
                    events_.scroll(index);
                }
            },
            Qt::DirectConnection);
        for (const TextGroup group : {TextGroup::Text1, TextGroup::Text2}) {
            connect(
                box(group, index), &QLineEdit::textChanged, this,
                [this, group, index, raised = RaisedText(utf16(box(group, index)->text()))](
                    const QString& text) mutable {
                    if (raised.changesTo(utf16(text)) && events_.change) {
                        events_.change(group, index);
                    }
                },
                Qt::DirectConnection);
        }
    }
    connect(
        timer_, &TickTimer::timeout, this,
        [this] {
            if (events_.timer) {
                events_.timer();
            }
        },
        Qt::DirectConnection);
}

QWidget* QtMixerWindow::control(std::string_view name, int index) const {
    return controlOf(controls_, name, index);
}

bool QtMixerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        for (std::int16_t index = 0; index < ChannelCount; ++index) {
            QLineEdit* box = decimalBoxes_.at(index);
            if (watched == box && mouse->button() == Qt::LeftButton &&
                box->rect().contains(mouse->position().toPoint()) && events_.click) {
                events_.click(index);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tintora::qt
