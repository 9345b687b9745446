#include "win32/accessible_controls.h"

#include <commctrl.h>

#include <utility>

#include "win32/accessible_object.h"

namespace quillaro::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0xACC;

}  // namespace

AccessibleControls::AccessibleControls(Facts facts)
    : facts_(std::make_shared<Facts>(std::move(facts))) {}

AccessibleControls::~AccessibleControls() {
    facts_.reset();  // objects still held elsewhere now answer that their control is gone
    if (com_started_) accessibility_functions().stop_com();
}

bool AccessibleControls::attach(HWND control) {
    return SetWindowSubclass(control, control_proc, kSubclassId,
                             reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

LRESULT AccessibleControls::answer(HWND control, WPARAM wparam) {
    const AccessibilityFunctions& functions = accessibility_functions();
    if (!functions.complete()) return 0;
    if (!com_started_) {
        // The object is handed over through COM, which this thread starts on the first
        // question. A thread already started another way (RPC_E_CHANGED_MODE) is used as it is.
        const HRESULT started = functions.start_com(nullptr, COINIT_APARTMENTTHREADED);
        com_started_ = SUCCEEDED(started);
        if (FAILED(started) && started != RPC_E_CHANGED_MODE) return 0;
    }
    IAccessible* object = make_accessible_object(control, facts_);
    if (object == nullptr) return 0;
    const LRESULT result = functions.lresult_from_object(__uuidof(IAccessible), wparam, object);
    object->Release();               // the reference handed out is the caller's now
    return result > 0 ? result : 0;  // a failure: the system's own answer instead
}

LRESULT CALLBACK AccessibleControls::control_proc(HWND control, UINT message, WPARAM wparam,
                                                  LPARAM lparam, UINT_PTR id,
                                                  DWORD_PTR self) noexcept {
    switch (message) {
        case WM_GETOBJECT:
            // The object id arrives as a DWORD in lparam's low half.
            if (static_cast<LONG>(static_cast<DWORD>(lparam)) == OBJID_CLIENT) {
                if (const LRESULT answered =
                        reinterpret_cast<AccessibleControls*>(self)->answer(control, wparam)) {
                    return answered;
                }
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(control, control_proc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(control, message, wparam, lparam);
}

void tell_name_changed(HWND control) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void tell_state_changed(HWND control) {
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace quillaro::win32
