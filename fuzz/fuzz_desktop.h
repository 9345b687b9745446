// An in-memory Desktop for the fuzzer: group files from a map, a Big5-like ANSI decoder, and
// only what the checks need recorded (typed text), so that thousands of clicks stay cheap.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "palette/desktop.h"

namespace quillaro::fuzzing {

// Two-byte characters as in a Big5 code page: a lead byte 81..FE followed by a trail byte
// 40..7E or A1..FE is one character, ASCII is itself, anything else is U+FFFD. Never more
// code units than bytes, like the real code pages the palette meets.
inline std::u16string decode_big5_like(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char16_t>(lead));
            continue;
        }
        if (lead >= 0x81 && lead <= 0xFE && i + 1 < bytes.size()) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            if ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE)) {
                // Spread pairs over the Private Use Area, as user-defined Big5 symbols map.
                out.push_back(
                    static_cast<char16_t>(0xE000 + ((lead - 0x81) * 0x9D + trail) % 0x1900));
                ++i;
                continue;
            }
        }
        out.push_back(u'\uFFFD');
    }
    return out;
}

class FuzzDesktop : public Input, public Files, public Notices {
  public:
    // The palette is given all three parts as this one fake.
    operator Desktop() { return {*this, *this, *this}; }  // NOLINT(google-explicit-constructor)

    std::map<std::u16string, std::string> files;
    std::vector<std::u16string> typed;
    WindowHandle foreground = 0x200;
    int message_boxes = 0;

    WindowHandle foreground_window() override { return foreground; }
    WindowHandle own_window() override { return 0x100; }
    void make_topmost() override {}
    void set_foreground_window(WindowHandle window) override { foreground = window; }
    void dispatch_pending_messages() override {}
    bool is_active(WindowHandle /*window*/) override { return false; }
    bool wait_until_active(WindowHandle /*window*/) override { return true; }
    bool accepts_typing(WindowHandle /*window*/) override { return true; }
    bool type_text(std::u16string_view text) override {
        typed.emplace_back(text);
        return true;
    }
    bool copy_text(std::u16string_view /*text*/) override { return true; }
    void show_key_notice(int16_t /*index*/, std::u16string_view /*title*/,
                         std::u16string_view /*text*/) override {}
    void message_box(std::u16string_view /*text*/) override { ++message_boxes; }
    bool start_editor(std::u16string_view /*command_line*/) override { return true; }
    FileRead read_file(std::u16string_view name) override {
        const auto found = files.find(std::u16string(name));
        if (found == files.end()) return {};
        return {FileRead::Status::Read, found->second};
    }
    std::u16string decode_ansi(std::string_view bytes) override { return decode_big5_like(bytes); }
    void open_about() override {}
};

}  // namespace quillaro::fuzzing
