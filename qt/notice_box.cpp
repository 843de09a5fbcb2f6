#include "qt/notice_box.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace tintora::qt {

void showNoticeBox(QWidget* parent, const QString& prompt, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    // Qt's own Chinese translation says the same; this keeps the word when it is missing.
    QAbstractButton* ok = box.button(QMessageBox::Ok);
    ok->setText(QStringLiteral("确定"));
    ok->setIcon({}); // some styles decorate standard buttons; the notice shows no icon at all
    box.exec();
}

} // namespace tintora::qt
