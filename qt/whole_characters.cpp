#include "qt/whole_characters.h"

#include "mixer/surrogate_pairs.h"

namespace tintora {

QValidator::State WholeCharacters::validate(QString& input, int& position) const {
    for (qsizetype at = input.size() - 1; at >= 0; --at) {
        const bool halfAPair =
            isHighSurrogate(input.at(at).unicode()) &&
            (at + 1 == input.size() || !isLowSurrogate(input.at(at + 1).unicode()));
        if (halfAPair) {
            input.remove(at, 1);
            position -= position > at ? 1 : 0;
        }
    }
    return Acceptable;
}

} // namespace tintora
