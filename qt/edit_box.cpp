#include "qt/edit_box.h"

#include "mixer/pasted_text.h"
#include "mixer/surrogate_pairs.h"
#include "mixer/word_bounds.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QValidator>

#include <string>
#include <string_view>

namespace tintora::qt {
namespace {

std::u16string_view utf16(QStringView text) {
    return {text.utf16(), static_cast<std::size_t>(text.size())};
}

// Runs inside every edit, before the box takes its text and reports it. The
// box cuts an insertion to its maxLength in UTF-16 units, which can split a
// pair; and a paste or a drop inserts every line of its text. A box never
// holds a line break, so one in the edited text came with the insertion,
// which ends at the caret: what follows the break up to the caret is the
// insertion's further lines, and goes.
class BoxEdits final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override {
        const std::u16string_view text = utf16(input);
        const auto caret = static_cast<std::size_t>(position);
        const std::u16string_view beforeCaret = firstLine(text.substr(0, caret));
        const std::u16string oneLine =
            std::u16string(beforeCaret) + std::u16string(firstLine(text.substr(caret)));
        const std::u16string whole = withoutHalfPairs(oneLine);
        if (whole.size() != text.size()) {
            // The caret stays after the characters it stood after.
            position = static_cast<int>(withoutHalfPairs(beforeCaret).size());
            input = QString::fromStdU16String(whole);
        }
        return Acceptable;
    }
};

} // namespace

EditBox::EditBox(const ControlRow& row, QWidget* parent)
    : QLineEdit(QString::fromUtf8(row.content), parent) {
    setMaxLength(row.maxLength);
    setValidator(new BoxEdits(this));
}

void EditBox::keyPressEvent(QKeyEvent* event) {
    const int caret = cursorPosition();
    if (event->matches(QKeySequence::DeleteStartOfWord) && !isReadOnly()) {
        deleteRun(static_cast<int>(wordStartBefore(utf16(text()), static_cast<std::size_t>(caret))),
                  caret);
    } else if (event->matches(QKeySequence::DeleteEndOfWord) && !isReadOnly()) {
        deleteRun(caret,
                  static_cast<int>(wordEndAfter(utf16(text()), static_cast<std::size_t>(caret))));
    } else if (hasSelectedText() && (event->matches(QKeySequence::MoveToPreviousChar) ||
                                     event->matches(QKeySequence::MoveToNextChar))) {
        // To the selection's edge, on every platform: Qt's Windows keyboard
        // scheme would move one character from the caret instead.
        const bool toStart = event->matches(QKeySequence::MoveToPreviousChar) ==
                             (layoutDirection() == Qt::LeftToRight);
        setCursorPosition(toStart ? selectionStart() : selectionEnd());
    } else if (event->matches(QKeySequence::Paste) &&
               QGuiApplication::clipboard()->text().isEmpty()) {
        event->accept();
    } else {
        QLineEdit::keyPressEvent(event);
    }
}

void EditBox::deleteRun(int from, int to) {
    if (!hasSelectedText() && from < to) {
        setSelection(from, to - from);
    }
    if (hasSelectedText()) {
        del(); // the selection, as one edit the box reports once
    }
}

} // namespace tintora::qt
