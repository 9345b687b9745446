// The palette program as the tests drive it: started in the test's folder, found by its
// title, its controls found by their IDs, clicked with real mouse input and read back.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "palette/layout.h"
#include "palette/palette.h"
#include "poll.h"
#include "process.h"
#include "symbols/key_table.h"
#include "test_case.h"

namespace e2e {

class Palette {
  public:
    static inline const std::wstring kTitle{reinterpret_cast<const wchar_t*>(quillaro::kAppTitle)};
    static constexpr int kKeys = quillaro::kKeysPerPage;
    static constexpr int kGroups = quillaro::kGroupButtons;

    // Starts quillaro_palette.exe in the test's folder and waits for its window and controls.
    // Throws Error if they do not come.
    explicit Palette(const Context& context, Millis timeout = 20s);

    [[nodiscard]] HWND window() const { return window_; }
    [[nodiscard]] HWND key(int index) const { return keys_.at(static_cast<size_t>(index)); }
    [[nodiscard]] HWND group(int index) const { return groups_.at(static_cast<size_t>(index)); }
    [[nodiscard]] HWND control(int id) const;
    [[nodiscard]] Process& process() { return process_; }

    // The window text of a control; "<gone>" when it does not answer.
    [[nodiscard]] std::wstring text(HWND control) const;
    [[nodiscard]] std::wstring text(int id) const { return text(control(id)); }
    [[nodiscard]] std::wstring page_label() const { return text(quillaro::kPageLabelId); }
    [[nodiscard]] std::array<std::wstring, kKeys> key_captions() const;
    [[nodiscard]] std::array<std::wstring, kGroups> group_captions() const;

    // Clicks a control with the mouse and waits until `done()` holds; false when it never does.
    template <class Condition>
    bool click_until(HWND target, Condition&& done, Millis timeout = 5s) {
        return click_control(target) && poll(std::forward<Condition>(done), timeout);
    }
    // Clicks a navigation button and waits until the page label or a group caption changes
    // as `expected_label` says ("" to wait for any repaint of the label text to settle).
    bool click_and_wait_label(HWND target, std::wstring_view expected_label, Millis timeout = 5s);

    // The set shown now, told from what is on screen: set 3 is the only one whose page 1
    // offers 編輯 on the page-back button; sets 1 and 2 by their first group's caption.
    [[nodiscard]] int current_set() const;
    // Clicks More, with the mouse, until `set` shows; false when it does not come.
    bool show_set(int set);

    // Clicks the palette's title bar, left of its buttons, and waits until the palette is in
    // front: a click on its title bar activates it, as a click on its buttons does not.
    bool bring_forward(Millis timeout = 5s);

    // True when the palette's thread answers a message within `timeout`: it is alive and not
    // stuck in a handler.
    [[nodiscard]] bool responsive(Millis timeout = 5s) const;

    // A key hovered and clicked by message instead of by mouse. The key button handles
    // WM_MOUSEMOVE as it handles the mouse moving over it, and BM_CLICK by pressing and
    // releasing itself, which reports BN_CLICKED to the palette: the same handlers run as for
    // the mouse. Both are sent, so they return once the palette has handled them; false when
    // it does not answer within `timeout`.
    bool hover_by_message(HWND control, Millis timeout = 10s) const;
    bool click_by_message(HWND control, Millis timeout = 30s) const;

    // Closes the palette window and waits for the program to end.
    bool close(Millis timeout = 10s);

  private:
    bool click_control(HWND target);

    Process process_;
    HWND window_ = nullptr;
    std::array<HWND, kKeys> keys_{};
    std::array<HWND, kGroups> groups_{};
};

}  // namespace e2e
