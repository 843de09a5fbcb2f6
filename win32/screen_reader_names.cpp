#include "win32/screen_reader_names.h"

#include "layout/accessible_names.h"
#include "layout/layout_table.h"
#include "win32/wide_text.h"

// Defines the GUIDs oleacc.h declares (CLSID_AccPropServices,
// IID_IAccPropServices, PROPID_ACC_NAME) in this file.
#include <initguid.h>

#include <objbase.h>
#include <oleacc.h>

namespace tintora::win32 {

void ScreenReaderNames::give(const std::vector<HWND>& controls) {
    clear();
    // The window's thread is a single-threaded apartment. S_FALSE: COM was
    // already started on it, and this start is balanced all the same.
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    void* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, &services))) {
        clear();
        return;
    }
    services_ = static_cast<IAccPropServices*>(services);
    for (std::size_t row = 0; row < layoutTable.size() && row < controls.size(); ++row) {
        const std::string name = accessibleName(layoutTable[row]);
        if (name.empty()) {
            continue;
        }
        const HRESULT named = services_->SetHwndPropStr(
            controls[row], OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, wideFromUtf8(name).c_str());
        if (SUCCEEDED(named)) {
            named_.push_back(controls[row]);
        }
    }
}

void ScreenReaderNames::clear() {
    if (services_ != nullptr) {
        MSAAPROPID name = PROPID_ACC_NAME;
        for (const HWND control : named_) {
            services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &name, 1);
        }
        services_->Release();
        services_ = nullptr;
    }
    named_.clear();
    if (comStarted_) {
        CoUninitialize();
        comStarted_ = false;
    }
}

} // namespace tintora::win32
