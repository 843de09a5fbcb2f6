#include "window/whole_characters.h"

namespace tintora {

QValidator::State WholeCharacters::validate(QString& input, int& position) const {
    for (qsizetype at = input.size() - 1; at >= 0; --at) {
        const bool halfAPair = input.at(at).isHighSurrogate() &&
                               (at + 1 == input.size() || !input.at(at + 1).isLowSurrogate());
        if (halfAPair) {
            input.remove(at, 1);
            position -= position > at ? 1 : 0;
        }
    }
    return Acceptable;
}

} // namespace tintora
