#include "app/event_binding.h"

#include "mixer/form1.h"
#include "window/mixer_window.h"
#include "window/tick_timer.h"

#include <QLineEdit>
#include <QScrollBar>

namespace tintora {
namespace {

// QLineEdit also reports an edit that leaves the text as it was (a paste of
// what the box already holds over its selection) as textChanged; the handlers
// run only when the text really differs, as they do for assignments.
template <typename Handler> void onTextChange(QLineEdit* box, QObject* context, Handler handler) {
    QObject::connect(
        box, &QLineEdit::textChanged, context,
        [handler, last = box->text()](const QString& text) mutable {
            if (text == last) {
                return;
            }
            last = text;
            handler();
        },
        Qt::DirectConnection);
}

} // namespace

// Direct connections only: each handler must run inside the assignment or the
// keystroke that raised it, so that one user action runs as one cascade.
void bindEvents(MixerWindow& window, Form1& form) {
    for (std::int16_t index = 0; index < ChannelCount; ++index) {
        QObject::connect(
            window.slider(index), &QScrollBar::valueChanged, &window,
            [&form, index] { form.HScroll1_Change(index); }, Qt::DirectConnection);
        onTextChange(window.decimalBox(index), &window,
                     [&form, index] { form.Text1_Change(index); });
        onTextChange(window.hexBox(index), &window, [&form, index] { form.Text2_Change(index); });
    }
    QObject::connect(
        &window, &MixerWindow::decimalBoxClicked, &window,
        [&form](int index) { form.Text1_Click(static_cast<std::int16_t>(index)); },
        Qt::DirectConnection);
    QObject::connect(
        window.timer(), &TickTimer::timeout, &window, [&form] { form.Timer1_Timer(); },
        Qt::DirectConnection);
}

} // namespace tintora
