// Typing a key's symbol into the window the user was working in, or onto the clipboard when
// that window cannot take it.
#include <algorithm>
#include <string>

#include "palette/palette.h"

namespace quillaro {
namespace {

constexpr std::u16string_view kCopiedTitle = u"已複製";
constexpr std::u16string_view kNotCopiedTitle = u"無法複製";
constexpr std::u16string_view kNotTypedTitle = u"無法直接輸入";
constexpr std::u16string_view kElevatedTarget = u"目標視窗以系統管理員身分執行,無法直接輸入。";
constexpr std::u16string_view kInputRefused = u"系統拒絕了模擬按鍵,無法直接輸入。";
constexpr std::u16string_view kPasteHint = u"符號已複製到剪貼簿,請按 Ctrl+V 貼上。";
constexpr std::u16string_view kClipboardBusy = u"剪貼簿正被其他程式使用,符號未能複製。";

// How often a key asks for its target's activation when the palette takes the front again.
constexpr int kActivationAttempts = 3;

// Ends a run of deliveries however it ends: a click after it starts a new one.
class DeliveryRunEnd {
  public:
    DeliveryRunEnd(bool& delivering, std::deque<int16_t>& queued)
        : delivering_(delivering), queued_(queued) {}
    DeliveryRunEnd(const DeliveryRunEnd&) = delete;
    DeliveryRunEnd& operator=(const DeliveryRunEnd&) = delete;
    DeliveryRunEnd(DeliveryRunEnd&&) = delete;
    DeliveryRunEnd& operator=(DeliveryRunEnd&&) = delete;
    ~DeliveryRunEnd() {
        delivering_ = false;
        queued_.clear();
    }

  private:
    bool& delivering_;
    std::deque<int16_t>& queued_;
};

}  // namespace

// Remembers the last window other than the palette that was in front. One query each time: a
// second one could already see the palette, just clicked, and make it its own target.
void Palette::track_foreground() { foreground_changed(desktop_.input.foreground_window()); }

// No window at all is in front for a moment while the activation passes from one window to
// another (the user clicking the palette); that moment keeps the target, or the next key would
// type nowhere.
void Palette::foreground_changed(WindowHandle window) {
    if (window != 0 && window != desktop_.input.own_window()) target = window;
}

void Palette::send_key(int16_t index) {
    queued_keys_.push_back(index);
    // A click dispatched inside a delivery waits for it: typed now, it would overtake the
    // click before it.
    if (delivering_) return;
    delivering_ = true;
    const DeliveryRunEnd run_end(delivering_, queued_keys_);
    while (!queued_keys_.empty()) {
        const int16_t next = queued_keys_.front();
        queued_keys_.pop_front();
        deliver_key(next);
    }
}

void Palette::deliver_key(int16_t index) {
    // A target that has the keyboard already, as after a click that left it in front, takes
    // the keys at once: the palette's own pending messages (the released key's repaint) wait
    // until after the typing.
    const bool active = desktop_.input.is_active(target);
    for (int attempt = 0; !active && attempt < kActivationAttempts; ++attempt) {
        desktop_.input.set_foreground_window(target);
        desktop_.input.dispatch_pending_messages();
        // Keys typed before the target has taken the activation would reach no window.
        if (desktop_.input.wait_until_active(target)) break;
        // A click on the palette's title bar while the target was coming forward made the
        // palette the window in front again: the keys would reach the palette. Another window
        // in front is the user's choice and keeps it.
        if (desktop_.input.foreground_window() != desktop_.input.own_window()) break;
    }
    // The position is read only now: a navigation click handled above decides the item.
    const SearchResults::Item item = shown_under_key(index);
    const std::u16string_view text = item.text;
    if (text.empty()) return;
    // A notice about the first search result, typed by Enter, stands by the first key.
    const int16_t notice_key = std::max<int16_t>(index, 0);
    // Windows drops keys typed into a program running as administrator and still reports
    // them sent: the clipboard is the user's way to get the symbol there.
    bool delivered = true;
    if (!desktop_.input.accepts_typing(target)) {
        delivered = copy_instead(notice_key, text, kElevatedTarget);
    } else if (!desktop_.input.type_text(text)) {
        delivered = copy_instead(notice_key, text, kInputRefused);
    }
    if (delivered) remember_typed(item);
}

bool Palette::copy_instead(int16_t index, std::u16string_view text, std::u16string_view reason) {
    std::u16string notice(reason);
    const bool copied = desktop_.input.copy_text(text);
    notice += copied ? kPasteHint : kClipboardBusy;
    desktop_.notices.show_key_notice(index, kNotTypedTitle, notice);
    return copied;
}

void Palette::copy_key(int16_t index) {
    const SearchResults::Item item = shown_under_key(index);
    const std::u16string_view text = item.text;
    if (text.empty()) return;  // nothing to copy: whatever the clipboard holds stays
    if (desktop_.input.copy_text(text)) {
        remember_typed(item);
        desktop_.notices.show_key_notice(index, kCopiedTitle, text);
    } else {
        desktop_.notices.show_key_notice(index, kNotCopiedTitle, kClipboardBusy);
    }
}

// While searching, the box holds the query: hovering leaves it alone.
void Palette::preview_key(int16_t index) {
    if (!searching) preview.text = shown_under_key(index).text;
}

// Every symbol typed or copied goes to the front of the recent ones.
void Palette::remember_typed(const SearchResults::Item& item) {
    recent.add(item.caption, item.text);
    ++recent_changes;
}

}  // namespace quillaro
