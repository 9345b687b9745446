// The palette's buttons and page label as a screen reader sees them: each answers
// WM_GETOBJECT with an object of its own that tells what the control types or shows. The
// system's objects read a key's caption, which says nothing for a private-use symbol (and
// Wine has none for buttons at all).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "palette/accessible_facts.h"

namespace quillaro::win32 {

class AccessibleControls {
  public:
    // What to tell about a control, asked afresh on every question, so that it follows the page.
    using Facts = std::function<AccessibleFacts(HWND control)>;

    explicit AccessibleControls(Facts facts);
    AccessibleControls(const AccessibleControls&) = delete;
    AccessibleControls& operator=(const AccessibleControls&) = delete;
    // Objects a screen reader still holds answer that the control is gone.
    ~AccessibleControls();

    bool attach(HWND control);

  private:
    static LRESULT CALLBACK control_proc(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR self) noexcept;
    LRESULT answer(HWND control, WPARAM wparam);

    std::shared_ptr<Facts> facts_;
    bool com_started_ = false;  // on the first question: the palette pays nothing until then
};

// The control's name or state changed where the system cannot see it (a name made from more
// than the window text, a selection drawn in bold): screen readers that follow it ask again.
void tell_name_changed(HWND control);
void tell_state_changed(HWND control);

}  // namespace quillaro::win32
