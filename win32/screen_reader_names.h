// Gives the window's boxes, sliders and preview the names a screen reader
// speaks for them (layout/accessible_names.h), through the Dynamic Annotation
// service of oleacc (IAccPropServices::SetHwndPropStr with PROPID_ACC_NAME).
// A control without one would be spoken by its class alone: the labels lie
// beside or below the controls, so the system takes no name from them.
//
// Naming is best effort: where COM or the service is missing or refuses a
// name (Wine answers E_NOTIMPL), the window works as it does with them.
#pragma once

#include <windows.h>

#include <vector>

struct IAccPropServices;

namespace tintora::win32 {

class ScreenReaderNames {
public:
    ScreenReaderNames() = default;
    ~ScreenReaderNames() { clear(); }
    ScreenReaderNames(const ScreenReaderNames&) = delete;
    ScreenReaderNames& operator=(const ScreenReaderNames&) = delete;

    // `controls` are parallel to the layout table.
    void give(const std::vector<HWND>& controls);
    // Takes the names back; before the controls are destroyed.
    void clear();

private:
    IAccPropServices* services_ = nullptr;
    bool comStarted_ = false;
    std::vector<HWND> named_;
};

} // namespace tintora::win32
