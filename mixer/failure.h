// The failure that a trapped handler catches: raised by a conversion that
// returned nothing, or by a widget that refuses a value.
#pragma once

#include <optional>
#include <utility>

namespace tintora {

struct Failure {};

// The value of a conversion, or a Failure thrown to the nearest trap.
template <typename T> T orFail(std::optional<T> result) {
    if (!result) {
        throw Failure{};
    }
    return std::move(*result);
}

} // namespace tintora
