#include "qt/caret_rest.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QWidget>

namespace tintora::qt {
namespace {

// What shows the user is there. Pointer motion alone does not: a pointer
// passing over the window says nothing about the box, and GTK ignores it too.
bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::InputMethod: // typing through an input method sends no key presses
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
        return true;
    default:
        return false;
    }
}

// A box taking the focus starts a caret blinking, whether a click, the Tab
// key, the window coming back to the front or the program put it there; the
// widgets that take typed text are the ones that draw a caret.
bool isCaretStarting(const QObject* watched, const QEvent* event) {
    return event->type() == QEvent::FocusIn && watched->isWidgetType() &&
           static_cast<const QWidget*>(watched)->testAttribute(Qt::WA_InputMethodEnabled);
}

} // namespace

CaretRest::CaretRest(QCoreApplication& app)
    : QObject(&app) {
    quietSpell_.setSingleShot(true);
    quietSpell_.setInterval(defaultQuietSpell);
    connect(&quietSpell_, &QTimer::timeout, this, &CaretRest::rest);
    app.installEventFilter(this);
}

void CaretRest::setQuietSpell(std::chrono::milliseconds quietSpell) {
    quietSpell_.setInterval(quietSpell);
}

bool CaretRest::eventFilter(QObject* watched, QEvent* event) {
    if (isUserInput(event->type()) || isCaretStarting(watched, event)) {
        wake();
    }
    return QObject::eventFilter(watched, event);
}

void CaretRest::wake() {
    if (resting_) {
        // A flash time below 0 is no setting of the application's: the style
        // hints follow the platform's value again, whatever the desktop
        // changed it to meanwhile.
        QGuiApplication::styleHints()->setCursorFlashTime(-1);
        resting_ = false;
    }
    // Nothing to rest on a desktop that does not blink: no timer at all then.
    if (QGuiApplication::styleHints()->cursorFlashTime() > 0) {
        quietSpell_.start();
    }
}

void CaretRest::rest() {
    if (QGuiApplication::styleHints()->cursorFlashTime() > 0) {
        resting_ = true;
        QGuiApplication::styleHints()->setCursorFlashTime(0);
    }
}

} // namespace tintora::qt
