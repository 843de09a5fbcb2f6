#include "app/event_binding.h"

#include "mixer/form1.h"
#include "window/mixer_window.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

namespace tintora {

// Direct connections only: each handler must run inside the assignment or the
// keystroke that raised it, so that one user action runs as one cascade.
void bindEvents(MixerWindow& window, Form1& form) {
    for (std::int16_t index = 0; index < MixerWindow::channelCount; ++index) {
        QObject::connect(
            window.slider(index), &QScrollBar::valueChanged, &window,
            [&form, index] { form.HScroll1_Change(index); }, Qt::DirectConnection);
        QObject::connect(
            window.decimalBox(index), &QLineEdit::textChanged, &window,
            [&form, index] { form.Text1_Change(index); }, Qt::DirectConnection);
        QObject::connect(
            window.hexBox(index), &QLineEdit::textChanged, &window,
            [&form, index] { form.Text2_Change(index); }, Qt::DirectConnection);
    }
    QObject::connect(
        &window, &MixerWindow::decimalBoxClicked, &window,
        [&form](int index) { form.Text1_Click(static_cast<std::int16_t>(index)); },
        Qt::DirectConnection);
    QObject::connect(
        window.timer(), &QTimer::timeout, &window, [&form] { form.Timer1_Timer(); },
        Qt::DirectConnection);
}

} // namespace tintora
