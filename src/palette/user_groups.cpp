// Set 3: groups the user defines in user_define_0.txt .. user_define_15.txt.
#include "palette/palette.h"
#include "symbols/decimal.h"
#include "symbols/group_file.h"

namespace quillaro {
namespace {

constexpr int16_t kUserGroups = 16;

}  // namespace

void Palette::load_user_groups() {
    const AnsiDecoder ansi = [this](std::string_view bytes) { return desktop_.decode_ansi(bytes); };
    for (int16_t n = 0; n < kUserGroups; ++n) {
        std::u16string captions;
        std::u16string sends;
        if (const auto bytes = desktop_.read_file(file_dir + group_file_name(n))) {
            auto lines = read_group_lines(*bytes, ansi, 3);
            // A one-line file's only line doubles as the caption list.
            if (!lines.empty()) captions = std::move(lines[0]);
            if (lines.size() >= 2) captions = std::move(lines[1]);
            if (lines.size() >= 3) sends = std::move(lines[2]);
        }
        try {
            show_send(set_count, n, captions, sends);
        } catch (const LoadError&) {
            // An overlong list keeps what was stored before the failure; the other groups
            // still load.
        }
    }
}

// Line 1 of every file joined by commas, as far as the group buttons use it: the first 16
// fields, each cut to kMaxTextUnits. The buttons get exactly what the whole list would give
// them, while a runaway first line (or a line of commas) repeated by the missing files after
// it cannot grow the list to gigabytes. A file without a first line repeats the caption read
// before it, as the group buttons have always shown it.
std::u16string Palette::user_group_caption_list() {
    const AnsiDecoder ansi = [this](std::string_view bytes) { return desktop_.decode_ansi(bytes); };
    std::u16string caption;
    std::u16string list;
    size_t fields = 1;  // fields begun in `list`
    for (int16_t n = 0; n < kUserGroups; ++n) {
        if (const auto bytes = desktop_.read_file(file_dir + group_file_name(n))) {
            auto lines = read_group_lines(*bytes, ansi, 1);
            if (!lines.empty()) caption = std::move(lines[0]);
        }
        if (n > 0) {
            if (fields == kGroupButtons) break;
            list += u',';
            ++fields;
        }
        const std::u16string_view text = caption;
        for (size_t start = 0;;) {
            const size_t comma = text.find(u',', start);
            list += within_text_limit(text.substr(start, comma - start));
            if (comma == std::u16string_view::npos || fields == kGroupButtons) break;
            list += u',';
            ++fields;
            start = comma + 1;
        }
    }
    return list;
}

void Palette::run_edit_command() {
    desktop_.message_box(kEditNotice);
    const std::u16string file_name = group_file_name(group_no);
    if (!desktop_.start_editor(u"notepad " + file_name)) {
        desktop_.message_box(u"無法啟動記事本開啟 " + file_name +
                             u",請確認系統的記事本程式是否存在.");
    }
}

}  // namespace quillaro
