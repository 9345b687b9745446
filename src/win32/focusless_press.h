// Clicking the palette's buttons while the user's window stays in front.
//
// The system's button takes the keyboard focus when it is pressed, and taking the focus takes
// the activation from the window in front. That window then reads whatever keys are still
// waiting for it only after its deactivation, with no focus to give them to, and drops them:
// a key clicked quickly after another could cost the other its symbol. While another window is
// in front, a press here only captures the mouse and shows the button pushed; the release over
// the button reports BN_CLICKED to the parent, as the system's button does. With the palette in
// front, the buttons work as usual, focus and all.
#pragma once

#include <windows.h>

namespace quillaro::win32 {

class FocuslessPress {
  public:
    FocuslessPress() = default;
    FocuslessPress(const FocuslessPress&) = delete;
    FocuslessPress& operator=(const FocuslessPress&) = delete;
    FocuslessPress(FocuslessPress&&) = delete;
    FocuslessPress& operator=(FocuslessPress&&) = delete;
    ~FocuslessPress() = default;

    // When a released button comes up. Before its click is handled: a command that opens a
    // message box shows its button up while the box stands. After it: a key's symbol is typed
    // first, and the key's repaint, asked for only then, does not keep the symbol waiting.
    enum class ComeUp { BeforeClick, AfterClick };

    // Lets `button` be pressed this way for as long as it lives; false when it could not be.
    bool attach(HWND button, ComeUp come_up);

  private:
    static LRESULT CALLBACK button_proc(HWND button, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR self);
    bool press(HWND button);
    void release(HWND button, LPARAM at, ComeUp come_up);
    void let_go(HWND button);

    HWND pressed_ = nullptr;  // the button pressed this way, until it is let go
};

}  // namespace quillaro::win32
