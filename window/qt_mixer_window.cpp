#include "window/qt_mixer_window.h"

#include "layout/layout_table.h"
#include "mixer/reported_text.h"
#include "window/preview_box.h"
#include "window/tick_timer.h"
#include "window/whole_characters.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace tintora {
namespace {

constexpr std::array<const char*, ChannelCount> channelNames{"红", "绿", "蓝"};

QRect pixelGeometry(const ControlRow& row) {
    return {twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width),
            twipsToPixels(row.height)};
}

QString accessibleName(int index, const char* kind) {
    return QString::fromUtf8(channelNames.at(index)) + u' ' + QString::fromUtf8(kind);
}

QLineEdit* makeBox(const ControlRow& row, QWidget* parent) {
    auto* box = new QLineEdit(QString::fromUtf8(row.content), parent);
    box->setMaxLength(row.maxLength);
    box->setValidator(new WholeCharacters(box));
    box->setAccessibleName(
        accessibleName(row.index, row.base == Base::Decimal ? "十进制" : "十六进制"));
    return box;
}

QScrollBar* makeSlider(const ControlRow& row, QWidget* parent) {
    auto* slider = new QScrollBar(Qt::Horizontal, parent);
    slider->setRange(SliderMin, SliderMax);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    // A dragged thumb reports its value once, when it is let go.
    slider->setTracking(false);
    // QScrollBar inverts its controls for scrolling content, which makes the
    // Right key move a horizontal bar to the left. This one is a value control:
    // Right and wheel-up increase it.
    slider->setInvertedControls(false);
    slider->setFocusPolicy(Qt::StrongFocus);
    slider->setAccessibleName(accessibleName(row.index, "滑块"));
    return slider;
}

QLabel* makeLabel(const ControlRow& row, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(row.content), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The table's widths were drawn for a smaller font than most desktops use. A
// label whose text needs more room grows to the right; where the window edge
// would still cut its text, its font steps down until the text ends inside.
void fitLabel(QLabel* label, int windowWidth) {
    constexpr qreal smallestPointSize = 6.0;
    QFont font = label->font();
    const auto textEnd = [&] {
        return label->x() + QFontMetrics(font).horizontalAdvance(label->text());
    };
    while (textEnd() > windowWidth && font.pointSizeF() > smallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    if (font != label->font()) {
        label->setFont(font);
    }
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
}

std::u16string_view utf16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
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
            preview_->setAccessibleName(QStringLiteral("颜色预览"));
            widget = preview_;
            break;
        case ControlClass::TextBox: {
            QLineEdit* box = makeBox(row, this);
            if (row.base == Base::Decimal) {
                decimalBoxes_.at(row.index) = box;
                box->installEventFilter(this);
            } else {
                hexBoxes_.at(row.index) = box;
            }
            widget = box;
            break;
        }
        case ControlClass::HScrollBar:
            widget = sliders_.at(row.index) = makeSlider(row, this);
            break;
        case ControlClass::Label:
            widget = makeLabel(row, this);
            break;
        }
        widget->setObjectName(row.index < 0 ? QString::fromUtf8(row.name)
                                            : QString::fromUtf8(row.name) + u'_' +
                                                  QString::number(row.index));
        widget->setGeometry(pixelGeometry(row));
        if (row.controlClass == ControlClass::Label) {
            fitLabel(static_cast<QLabel*>(widget), width());
        }
        controls_.push_back(widget);
    }
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
                [this, group, index, reported = ReportedText(utf16(box(group, index)->text()))](
                    const QString& text) mutable {
                    if (reported.changesTo(utf16(text)) && events_.change) {
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
    const auto row = rowOf(name, index);
    return row ? controls_.at(*row) : nullptr;
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

} // namespace tintora
