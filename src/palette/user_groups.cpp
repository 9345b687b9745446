// The user's set: groups the user defines in user_define_0.txt .. user_define_15.txt.
#include <vector>

#include "palette/palette.h"
#include "symbols/comma_list.h"
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
        if (const auto bytes = desktop_.read_file(group_file_name(n))) {
            auto lines = read_group_lines(*bytes, ansi, 3);
            // A one-line file's only line doubles as the caption list.
            if (!lines.empty()) captions = std::move(lines[0]);
            if (lines.size() >= 2) captions = std::move(lines[1]);
            if (lines.size() >= 3) sends = std::move(lines[2]);
        }
        try {
            table.load_comma_lists(kUserSet, n, captions, sends);
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
    std::vector<std::u16string> fields;
    for (int16_t n = 0; n < kUserGroups && fields.size() < kGroupButtons; ++n) {
        if (const auto bytes = desktop_.read_file(group_file_name(n))) {
            auto lines = read_group_lines(*bytes, ansi, 1);
            if (!lines.empty()) caption = std::move(lines[0]);
        }
        for_each_piece(std::u16string_view(caption), [&](std::u16string_view piece) {
            fields.emplace_back(within_text_limit(piece));
            return fields.size() < kGroupButtons;
        });
    }
    std::u16string list;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) list += u',';
        list += fields[i];
    }
    return list;
}

void Palette::run_edit_command() {
    desktop_.message_box(kEditNotice);
    const std::u16string file_name = group_file_name(group);
    if (!desktop_.start_editor(u"notepad " + file_name)) {
        desktop_.message_box(u"無法啟動記事本開啟 " + file_name +
                             u",請確認系統的記事本程式是否存在.");
    }
}

}  // namespace quillaro
