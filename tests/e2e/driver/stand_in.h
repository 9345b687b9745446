// The stand-in editor (stand_in_editor.exe) as the tests drive it: started, found, focused by
// a click, read, and closed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "poll.h"
#include "process.h"
#include "test_case.h"

namespace e2e {

class StandInEditor {
  public:
    static constexpr std::wstring_view kTitle = L"Stand-in editor";
    static constexpr int kEditId = 100;

    // Starts the editor beside the driver, in the test's folder, with `args` (for example
    // L"--pos=700,100"), and waits for its window and its edit control. Throws Error if they
    // do not come.
    explicit StandInEditor(const Context& context, const std::vector<std::wstring>& args = {},
                           Millis timeout = 20s);

    [[nodiscard]] HWND window() const { return window_; }
    [[nodiscard]] HWND edit() const { return edit_; }
    [[nodiscard]] Process& process() { return process_; }

    // What the edit control holds now; nothing if it does not answer.
    [[nodiscard]] std::optional<std::wstring> text() const;
    // The number of UTF-16 units the edit control holds; 0 if it does not answer.
    [[nodiscard]] size_t text_length() const;
    // Polls until the edit control holds exactly `expected`.
    bool wait_for_text(std::wstring_view expected, Millis timeout = 10s) const;
    // The same for a long run of typing: when the text does not come, notes in `report` where
    // it first differs and sets `expected` to what the editor holds, so that one lost symbol
    // does not fail every later check.
    bool wait_for_text_or_resync(std::wstring& expected, Report& report, Millis timeout) const;

    // Clicks into the edit control with the mouse and waits until the editor is the
    // foreground window with the focus in its edit control.
    bool click_into(Millis timeout = 10s);
    [[nodiscard]] bool has_focus() const;

    // Asks the window to close and waits for the program to end; its exit code, if it ended.
    std::optional<DWORD> close(Millis timeout = 10s);

  private:
    Process process_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

}  // namespace e2e
