#include "app/bound_mixer.h"

#include "app/event_binding.h"

#include <utility>

namespace tintora {

BoundMixer::BoundMixer(NoticeShower showNotice)
    : widgets_(window, std::move(showNotice)) {
    bindEvents(window, form_);
}

} // namespace tintora
