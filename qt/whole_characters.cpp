#include "qt/whole_characters.h"

#include "mixer/surrogate_pairs.h"

#include <string_view>

namespace tintora {

QValidator::State WholeCharacters::validate(QString& input, int& position) const {
    const QStringView edited(input);
    const std::u16string_view text(edited.utf16(), static_cast<std::size_t>(edited.size()));
    const std::u16string whole = withoutHalfPairs(text);
    if (whole.size() != text.size()) {
        // The caret stays after the characters it stood after.
        const auto before = text.substr(0, static_cast<std::size_t>(position));
        position = static_cast<int>(withoutHalfPairs(before).size());
        input = QString::fromStdU16String(whole);
    }
    return Acceptable;
}

} // namespace tintora
