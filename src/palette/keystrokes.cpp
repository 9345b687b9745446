#include "palette/keystrokes.h"

#include <algorithm>
#include <iterator>

namespace quillaro {
namespace {

KeyEvent modifier_event(const ModifierKey& key, bool up) {
    return {KeyEvent::Kind::Key, key.virtual_key, key.scan, key.extended, up};
}

bool is_modifier(const KeyEvent& event) {
    return event.kind == KeyEvent::Kind::Key &&
           std::any_of(kModifierKeys.begin(), kModifierKeys.end(), [&](const ModifierKey& key) {
               return key.virtual_key == event.virtual_key;
           });
}

bool same_key(const KeyEvent& a, const KeyEvent& b) {
    return a.kind == b.kind && a.virtual_key == b.virtual_key && a.scan == b.scan &&
           a.extended == b.extended;
}

}  // namespace

std::vector<KeyEvent> typing_events(std::u16string_view text, std::span<const ModifierKey> held) {
    std::vector<KeyEvent> events;
    events.reserve(text.size() * 2 + held.size() * 2 + 2);
    if (std::any_of(held.begin(), held.end(),
                    [](const ModifierKey& key) { return key.opens_menu; })) {
        events.push_back({KeyEvent::Kind::Key, kMenuMaskKey, 0, false, false});
        events.push_back({KeyEvent::Kind::Key, kMenuMaskKey, 0, false, true});
    }
    std::transform(held.begin(), held.end(), std::back_inserter(events),
                   [](const ModifierKey& key) { return modifier_event(key, true); });
    for (char16_t unit : text) {
        events.push_back({KeyEvent::Kind::Unicode, 0, unit, false, false});
        events.push_back({KeyEvent::Kind::Unicode, 0, unit, false, true});
    }
    for (const ModifierKey& key : held) {
        if (!key.opens_menu) events.push_back(modifier_event(key, false));
    }
    return events;
}

std::vector<KeyEvent> keys_left_down(std::span<const KeyEvent> taken) {
    std::vector<KeyEvent> down;
    for (const KeyEvent& event : taken) {
        if (is_modifier(event)) continue;
        const auto same = [&](const KeyEvent& other) { return same_key(other, event); };
        if (event.up) {
            down.erase(std::remove_if(down.begin(), down.end(), same), down.end());
        } else if (std::none_of(down.begin(), down.end(), same)) {
            down.push_back(event);
        }
    }
    for (KeyEvent& event : down) event.up = true;
    return down;
}

}  // namespace quillaro
