// Keeps whole characters in a QLineEdit. The box cuts typed and pasted text
// to its maxLength in UTF-16 units, which can split a surrogate pair and leave
// half a character behind; this validator drops such a half in the same edit,
// before the box reports it, so a character that does not fit is dropped
// whole. An edit that ends where it began is still reported as textChanged, as
// a paste of what the box already holds is; the window passes on only
// real changes.
#pragma once

#include <QValidator>

namespace tintora {

class WholeCharacters final : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override;
};

} // namespace tintora
