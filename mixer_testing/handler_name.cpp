#include "mixer_testing/handler_name.h"

#include <array>
#include <cstddef>

namespace tintora {

const char* handlerName(Handler handler) {
    // In the order of the enumeration.
    static constexpr std::array<const char*, 6> names{
        "HScroll1_Change", "Text1_Click", "Text1_Change", "Text2_Change", "Timer1_Timer", "Msg"};
    return names.at(static_cast<std::size_t>(handler));
}

} // namespace tintora
