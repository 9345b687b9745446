// A whole desktop that records what the handlers ask of it and plays back queued events.
#pragma once

#include <functional>
#include <map>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "palette/desktop.h"

namespace quillaro::testing {

class FakeDesktop : public Input, public Files, public Notices {
  public:
    // What a Palette under test is given: all three parts are this one fake.
    operator Desktop() { return {*this, *this, *this}; }  // NOLINT(google-explicit-constructor)

    WindowHandle foreground = 0;
    WindowHandle own = 0x100;
    bool editor_starts = true;
    bool out_of_memory = false;                   // read_file fails as an allocation would
    std::map<std::u16string, std::string> files;  // group files by name
    std::set<std::u16string> files_in_use;        // held open by another program
    std::vector<std::function<void()>> pending;   // run by the next dispatch_pending_messages
    std::vector<std::string> calls;               // "topmost", "foreground 7", "type ..." ...
    std::vector<std::u16string> typed;
    std::vector<std::u16string> notices;
    std::vector<std::u16string> editor_command_lines;
    int about_opened = 0;
    std::set<WindowHandle> elevated;  // windows whose programs run as administrator
    bool typing_refused = false;      // the system takes only part of the keystrokes
    bool clipboard_busy = false;      // another program holds the clipboard
    std::optional<std::u16string> clipboard;
    struct Notice {
        int16_t key;
        std::u16string title;
        std::u16string text;
    };
    std::vector<Notice> key_notices;
    // Run inside wait_until_active, after dispatch_pending_messages: a click the activation wait
    // dispatches.
    std::vector<std::function<void()>> pending_in_wait;
    std::vector<bool> activations;  // the answers of the next waits for activation; then true

    WindowHandle foreground_window() override {
        calls.emplace_back("get_foreground");
        return foreground;
    }
    WindowHandle own_window() override { return own; }
    void make_topmost() override { calls.emplace_back("topmost"); }
    void set_foreground_window(WindowHandle window) override {
        calls.push_back("set_foreground " + std::to_string(window));
    }
    void dispatch_pending_messages() override {
        calls.emplace_back("dispatch_pending_messages");
        auto events = std::move(pending);
        pending.clear();
        for (auto& event : events) event();
    }
    bool is_active(WindowHandle window) override { return window != 0 && window == foreground; }
    bool wait_until_active(WindowHandle window) override {
        calls.push_back("wait " + std::to_string(window));
        auto events = std::move(pending_in_wait);
        pending_in_wait.clear();
        for (auto& event : events) event();
        if (activations.empty()) return true;
        const bool active = activations.front();
        activations.erase(activations.begin());
        return active;
    }
    bool accepts_typing(WindowHandle window) override { return !elevated.contains(window); }
    bool type_text(std::u16string_view text) override {
        calls.emplace_back("type");
        if (typing_refused) return false;
        typed.emplace_back(text);
        return true;
    }
    bool copy_text(std::u16string_view text) override {
        calls.emplace_back("copy");
        if (clipboard_busy) return false;
        clipboard = std::u16string(text);
        return true;
    }
    void show_key_notice(int16_t index, std::u16string_view title,
                         std::u16string_view text) override {
        calls.emplace_back("notice");
        key_notices.push_back({index, std::u16string(title), std::u16string(text)});
    }
    void message_box(std::u16string_view text) override {
        calls.emplace_back("message_box");
        notices.emplace_back(text);
    }
    bool start_editor(std::u16string_view command_line) override {
        calls.emplace_back("start_editor");
        editor_command_lines.emplace_back(command_line);
        return editor_starts;
    }
    FileRead read_file(std::u16string_view name) override {
        if (out_of_memory) throw std::bad_alloc();
        if (files_in_use.contains(std::u16string(name))) return {FileRead::Status::InUse, {}};
        const auto found = files.find(std::u16string(name));
        if (found == files.end()) return {};
        return {FileRead::Status::Read, found->second};
    }
    // Bytes below 0x80 as themselves, the Big5 pair A4 A4 as 中 and the user-defined FA 40 as
    // U+E000; anything else as U+FFFD, so a test sees which decoder ran.
    std::u16string decode_ansi(std::string_view bytes) override {
        std::u16string out;
        for (size_t i = 0; i < bytes.size(); ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (byte < 0x80) {
                out += static_cast<char16_t>(byte);
            } else if (i + 1 < bytes.size() && byte == 0xA4 &&
                       static_cast<unsigned char>(bytes[i + 1]) == 0xA4) {
                out += u'中';
                ++i;
            } else if (i + 1 < bytes.size() && byte == 0xFA &&
                       static_cast<unsigned char>(bytes[i + 1]) == 0x40) {
                out += u'\uE000';
                ++i;
            } else {
                out += u'\uFFFD';
            }
        }
        return out;
    }
    void open_about() override { ++about_opened; }
};

}  // namespace quillaro::testing
