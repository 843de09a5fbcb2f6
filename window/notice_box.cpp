#include "window/notice_box.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace tintora {

void showNoticeBox(QWidget* parent, const QString& prompt, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    // Qt's own Chinese translation says the same; this keeps the word when it is missing.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

} // namespace tintora
