// The user's set: groups the user defines in user_define_0.txt .. user_define_15.txt.
#include <algorithm>
#include <new>
#include <vector>

#include "palette/palette.h"
#include "symbols/comma_list.h"
#include "symbols/decimal.h"
#include "symbols/group_file.h"

namespace quillaro {
namespace {

constexpr int16_t kUserGroups = 16;

// A comma list with every item cut to what a key can show and type. The items and their count
// stay as they are, so the table's rules (251 items, page counts) see the same list.
std::u16string within_item_limits(std::u16string_view list) {
    std::u16string out;
    bool first = true;
    for_each_piece(list, [&](std::u16string_view item) {
        if (!first) out += u',';
        first = false;
        out += within_text_limit(item);
    });
    return out;
}

}  // namespace

// Line 1 of every file joined by commas, as far as the group buttons use it: the first 16
// fields, each cut to kMaxTextUnits. The buttons get exactly what the whole list would give
// them, while a runaway first line (or a line of commas) repeated by the missing files after
// it cannot grow the list to gigabytes. A file without a first line repeats the caption read
// before it, as the group buttons have always shown it.
class UserCaptionList {
  public:
    // The next file's lines, of which the first counts; none for a file without lines.
    void add(const std::vector<std::u16string>& lines) {
        if (!lines.empty()) caption_ = lines.front();
        for_each_piece(std::u16string_view(caption_), [&](std::u16string_view piece) {
            fields_.emplace_back(within_text_limit(piece));
            return !full();
        });
    }
    [[nodiscard]] bool full() const { return fields_.size() >= kGroupButtons; }
    [[nodiscard]] std::u16string joined() const {
        std::u16string list;
        for (size_t i = 0; i < fields_.size(); ++i) {
            if (i > 0) list += u',';
            list += fields_[i];
        }
        return list;
    }

  private:
    std::u16string caption_;
    std::vector<std::u16string> fields_;
};

std::vector<std::u16string> Palette::read_user_file(int16_t n, size_t max_lines) {
    const AnsiDecoder ansi = [this](std::string_view bytes) {
        return desktop_.files.decode_ansi(bytes);
    };
    const FileRead file = desktop_.files.read_file(group_file_name(n));
    if (file.status == FileRead::Status::InUse) met_file_in_use_ = true;
    if (file.status != FileRead::Status::Read) return {};
    return read_group_lines(file.bytes, ansi, max_lines);
}

// Fills set 3 of `into` from the files; with `captions`, collects their first lines as well.
void Palette::read_user_set(KeyTable& into, UserCaptionList* captions) {
    met_file_in_use_ = false;
    for (int16_t n = 0; n < kUserGroups; ++n) {
        auto lines = read_user_file(n, 3);
        if (captions != nullptr && !captions->full()) {
            captions->add(lines);
        }
        std::u16string key_captions;
        std::u16string sends;
        // A one-line file's only line doubles as the caption list.
        if (!lines.empty()) key_captions = std::move(lines[0]);
        if (lines.size() >= 2) key_captions = std::move(lines[1]);
        if (lines.size() >= 3) sends = std::move(lines[2]);
        try {
            into.load_comma_lists(kUserSet, n, within_item_limits(key_captions),
                                  within_item_limits(sends));
        } catch (const LoadError&) {
            // An overlong list keeps what was stored before the failure; the other groups
            // still load.
        }
    }
}

// The captions are kept for the search, which finds a group by its caption.
void Palette::load_user_groups() {
    try {
        KeyTable fresh;
        UserCaptionList list;
        read_user_set(fresh, &list);
        std::u16string captions = list.joined();
        table.replace_set(kUserSet, fresh);
        last_user_captions_ = std::move(captions);
    } catch (const std::bad_alloc&) {
        // Out of memory while reading: set 3 keeps what it held.
    }
}

bool Palette::reload_user_groups() {
    KeyTable fresh;
    std::u16string captions;
    try {
        UserCaptionList list;
        read_user_set(fresh, &list);
        captions = list.joined();
    } catch (const std::bad_alloc&) {
        return false;
    }
    table.replace_set(kUserSet, fresh);
    last_user_captions_ = std::move(captions);
    if (set == kUserSet) {
        group_captions = last_user_captions_;
        show_caption_pieces();
    }
    if (results_.indexed()) index_for_search();
    if (searching) {
        if (page > std::max<int16_t>(table.page_count(set, group), 1)) page = 1;
        show_search_page();
    } else if (set == kUserSet) {
        show_position();
    }
    return true;
}

std::u16string Palette::user_group_caption_list() {
    UserCaptionList list;
    for (int16_t n = 0; n < kUserGroups && !list.full(); ++n) {
        list.add(read_user_file(n, 1));
    }
    return list.joined();
}

void Palette::run_edit_command() {
    desktop_.notices.message_box(kEditNotice);
    const std::u16string file_name = group_file_name(group);
    if (!desktop_.files.start_editor(u"notepad " + file_name)) {
        desktop_.notices.message_box(u"無法啟動記事本開啟 " + file_name +
                                     u",請確認系統的記事本程式是否存在.");
    }
}

}  // namespace quillaro
