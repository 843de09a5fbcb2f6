#include "qt_testing/notice_watcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QTimer>

namespace tintora::testing {

NoticeWatcher::NoticeWatcher() {
    qApp->installEventFilter(this);
}

NoticeWatcher::~NoticeWatcher() {
    qApp->removeEventFilter(this);
}

bool NoticeWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            SeenNotice notice{
                box->text(), box->windowTitle(), box->icon(), box->windowModality(), {}};
            for (QAbstractButton* button : box->buttons()) {
                notice.buttons << button->text();
            }
            seen_.push_back(notice);
            ++open_;
            deepestOpen_ = std::max(deepestOpen_, open_);
            // Act from inside the notice's own event loop, once it is running.
            QTimer::singleShot(0, box, [this, box] { dismiss(box); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void NoticeWatcher::dismiss(QMessageBox* box) {
    if (whileOpen_) {
        whileOpen_();
    }
    if (!box->isVisible()) {
        --open_; // the action dismissed it
        return;
    }
    // The user presses the notice's only button; it is the active modal window.
    QWidget* active = QApplication::activeModalWidget();
    QMessageBox* target = active == box ? box : qobject_cast<QMessageBox*>(active);
    --open_;
    QTest::mouseClick(target != nullptr ? target->buttons().first() : box->buttons().first(),
                      Qt::LeftButton);
}

} // namespace tintora::testing
