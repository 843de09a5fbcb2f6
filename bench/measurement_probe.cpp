#include "measurement_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace tintora::measurement {
namespace {

// Ticks let by after the first paint before counting, so that what Qt does
// once after showing a window is not counted as idle work.
constexpr long settlingTicks = 20;

long long microsecondsSinceEpoch() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(now).count();
}

} // namespace

Probe::Probe(QWidget& window, QTimer& timer)
    : timer_(timer) {
    if (const char* ticks = std::getenv("TINTORA_PROBE_TICKS")) {
        ticksWanted_ = std::strtol(ticks, nullptr, 10);
    }
    window.installEventFilter(this);
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        widget->installEventFilter(this);
    }
    timer.installEventFilter(this);
}

bool Probe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        ++paints_;
        if (!painted_) {
            painted_ = true;
            // Queued: runs once the whole first frame is painted and flushed.
            QMetaObject::invokeMethod(this, &Probe::firstPaintDone, Qt::QueuedConnection);
        }
    } else if (event->type() == QEvent::Timer && watched == &timer_ && painted_ &&
               ticksWanted_ > 0) {
        tick();
    }
    return QObject::eventFilter(watched, event);
}

void Probe::firstPaintDone() {
    if (ticksWanted_ > 0) {
        return;
    }
    if (const char* start = std::getenv("TINTORA_PROBE_T0")) {
        const long long exec = std::strtoll(start, nullptr, 10);
        std::printf("first-paint-us %lld\n", microsecondsSinceEpoch() - exec);
    }
    std::fflush(stdout);
    _exit(0);
}

// Called as a tick arrives, before the timer handles it: counting from the
// start of one tick to the start of the tick N later takes N whole ticks.
void Probe::tick() {
    ++ticks_;
    if (ticks_ == settlingTicks) {
        CALLGRIND_ZERO_STATS;
        paints_ = 0;
    } else if (ticks_ == settlingTicks + ticksWanted_) {
        CALLGRIND_STOP_INSTRUMENTATION;
        std::printf("ticks %ld paints %ld\n", ticksWanted_, paints_);
        std::fflush(stdout);
        _exit(0);
    }
}

} // namespace tintora::measurement
