#include "stand_in.h"

#include <algorithm>

#include "input.h"
#include "text.h"
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

size_t StandInEditor::text_length() const {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(edit_, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length);
    return static_cast<size_t>(length);
}

bool StandInEditor::wait_for_text_or_resync(std::wstring& expected, Report& report,
                                            Millis timeout) const {
    if (wait_for_text(expected, timeout)) return true;
    const std::wstring actual = text().value_or(L"");
    const auto [differs, unused] =
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    const auto at = static_cast<size_t>(differs - expected.begin());
    const size_t from = at < 8 ? 0 : at - 8;
    report.note("the editor differs from unit " + std::to_string(at) + " of " +
                std::to_string(expected.size()) + " (it holds " + std::to_string(actual.size()) +
                "): expected " + describe(std::wstring_view(expected).substr(from, 24)) + ", got " +
                describe(std::wstring_view(actual).substr(std::min(from, actual.size()), 24)));
    expected = actual;
    return false;
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
