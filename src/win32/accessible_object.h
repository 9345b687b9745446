// One control's IAccessible, made for each WM_GETOBJECT and handed out through COM.
#pragma once

#include <ole2.h>
#include <oleacc.h>
#include <windows.h>

#include <memory>

#include "win32/accessible_controls.h"

namespace quillaro::win32 {

// The system functions the objects need, from DLLs loaded only once a screen reader asks.
struct AccessibilityFunctions {
    decltype(LresultFromObject)* lresult_from_object;
    decltype(AccessibleObjectFromWindow)* object_from_window;
    decltype(CoInitializeEx)* start_com;
    decltype(CoUninitialize)* stop_com;
    decltype(SysAllocStringLen)* alloc_string;

    [[nodiscard]] bool complete() const;
};
const AccessibilityFunctions& accessibility_functions();

// A new object for `control`, holding one reference; null when memory ran out.
IAccessible* make_accessible_object(HWND control, std::weak_ptr<AccessibleControls::Facts> facts);

}  // namespace quillaro::win32
