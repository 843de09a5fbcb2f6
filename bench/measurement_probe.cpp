#include "measurement_probe.h"

#include "process_memory.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace tintora::measurement {
namespace {

// Let by after the first paint before counting, so that what Qt does once
// after showing a window is not counted as idle work.
constexpr int settlingMs = 1000;

long long microsecondsSinceEpoch() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(now).count();
}

} // namespace

Probe::Probe(QWidget& window)
    : window_(window) {
    if (const char* idle = std::getenv("TINTORA_PROBE_IDLE_MS")) {
        idleMs_ = std::strtol(idle, nullptr, 10);
    }
    window.installEventFilter(this);
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        widget->installEventFilter(this);
    }
}

bool Probe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        ++paints_;
        if (!painted_) {
            painted_ = true;
            // Queued: runs once the whole first frame is painted and flushed.
            QMetaObject::invokeMethod(this, &Probe::firstPaintDone, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void Probe::firstPaintDone() {
    if (idleMs_ > 0) {
        const char* focus = std::getenv("TINTORA_PROBE_FOCUS");
        if (focus != nullptr && std::strcmp(focus, "box") == 0) {
            // Without a window manager nothing activates the window, and a
            // caret blinks only in the active one.
            window_.activateWindow();
            if (const auto* box = window_.findChild<QLineEdit*>()) {
                const QPoint centre = box->mapToGlobal(box->rect().center());
                std::printf("box-at %d %d\n", centre.x(), centre.y());
                std::fflush(stdout);
            }
        }
        QTimer::singleShot(settlingMs, this, &Probe::startCounting);
        return;
    }
    if (const char* start = std::getenv("TINTORA_PROBE_T0")) {
        const long long exec = std::strtoll(start, nullptr, 10);
        std::printf("first-paint-us %lld\n", microsecondsSinceEpoch() - exec);
    }
    std::fflush(stdout);
    _exit(0);
}

void Probe::startCounting() {
    CALLGRIND_ZERO_STATS;
    paints_ = 0;
    QTimer::singleShot(static_cast<int>(idleMs_), this, &Probe::stopCounting);
}

void Probe::stopCounting() {
    CALLGRIND_STOP_INSTRUMENTATION;
    const QMargins frame = window_.windowHandle()->frameMargins(); // the frame Qt draws
    std::printf("idle-ms %ld paints %ld resident-kib %ld frame-margins %d %d %d %d\n", idleMs_,
                paints_, bench::sampleProcessMemory().residentKb, frame.left(), frame.top(),
                frame.right(), frame.bottom());
    std::fflush(stdout);
    _exit(0);
}

} // namespace tintora::measurement
