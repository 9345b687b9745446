#include "stand_in.h"

#include "input.h"
#include "window.h"

namespace e2e {

StandInEditor::StandInEditor(const Context& context, const std::vector<std::wstring>& args,
                             Millis timeout)
    : process_(Process::start(context.program(L"stand_in_editor.exe"), args, context.work_dir)) {
    window_ = require_window(kTitle, timeout, process_.id());
    edit_ = require_child(window_, kEditId, timeout);
    // The window exists before it is shown and laid out: wait until a click at the edit
    // control's centre would reach it.
    const bool ready = poll(
        [&] {
            const auto rect = client_rect_on_screen(edit_);
            return is_visible(window_) && rect && rect->right - rect->left > 20 &&
                   top_level_at(centre_of(*rect)) == window_;
        },
        timeout);
    if (!ready) throw Error("the stand-in editor never became clickable");
}

std::optional<std::wstring> StandInEditor::text() const { return window_text(edit_); }

bool StandInEditor::wait_for_text(std::wstring_view expected, Millis timeout) const {
    return poll([&] { return text() == expected; }, timeout);
}

bool StandInEditor::has_focus() const {
    return foreground_window() == window_ && focus_of_thread_of(window_) == edit_;
}

bool StandInEditor::click_into(Millis timeout) {
    return click(edit_) && poll([&] { return has_focus(); }, timeout);
}

std::optional<DWORD> StandInEditor::close(Millis timeout) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return process_.wait_exit(timeout);
}

}  // namespace e2e
