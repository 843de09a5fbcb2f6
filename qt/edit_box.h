// One box of the window, on a QLineEdit, keeping the rules every realisation
// keeps where Qt's own line edit differs:
//  - a paste or a drop brings the first line of its text only
//    (mixer/pasted_text.h), and no lone half of a surrogate pair: an edit is
//    put right before the box reports it, so the box reports it once, as it
//    ends;
//  - Ctrl+Backspace and Ctrl+Delete delete the word before and after the
//    caret by the shared word rule (mixer/word_bounds.h), where Qt's own
//    word boundaries would take other runs;
//  - Ctrl+V with no text on the clipboard changes nothing, where Qt's would
//    delete the selection.
#pragma once

#include "layout/layout_table.h"

#include <QLineEdit>

namespace tintora::qt {

class EditBox final : public QLineEdit {
    Q_OBJECT
public:
    // A box for a TextBox row of the layout table, holding its initial text.
    EditBox(const ControlRow& row, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Deletes from `from` to the caret, or from the caret to `to`, in one edit.
    void deleteRun(int from, int to);
};

} // namespace tintora::qt
