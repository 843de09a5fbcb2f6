// Finds each notice as it opens, notes what it shows, runs an optional action
// while it is open, and then, unless the action has dismissed it, dismisses
// it by pressing its button, as a user would.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tintora::testing {

struct SeenNotice {
    QString text;
    QString title;
    QMessageBox::Icon icon;
    Qt::WindowModality modality;
    QStringList buttons;
};

class NoticeWatcher final : public QObject {
public:
    NoticeWatcher();
    ~NoticeWatcher() override;

    void whileOpen(std::function<void()> action) { whileOpen_ = std::move(action); }
    [[nodiscard]] const std::vector<SeenNotice>& seen() const { return seen_; }
    // Drops the record, for runs too long to keep every notice.
    void forgetSeen() { seen_.clear(); }
    [[nodiscard]] int open() const { return open_; }
    [[nodiscard]] int deepestOpen() const { return deepestOpen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dismiss(QMessageBox* box);

    std::function<void()> whileOpen_;
    std::vector<SeenNotice> seen_;
    int open_ = 0;
    int deepestOpen_ = 0;
};

} // namespace tintora::testing
