// The palette window's state and event handlers, free of any window-system type.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "palette/accessible_facts.h"
#include "palette/controls.h"
#include "palette/desktop.h"
#include "palette/layout.h"
#include "palette/recent_symbols.h"
#include "palette/search_results.h"
#include "palette/text_limit.h"
#include "symbols/key_table.h"

namespace quillaro {

inline constexpr int16_t kGroupButtons = 16;
inline constexpr const char16_t* kAppTitle = u"Quillaro符號輸入小工具";
inline constexpr const char16_t* kSearchCue = u"輸入符號、名稱或 U+碼";
inline constexpr const char16_t* kEditNotice = u"注意!編輯自訂檔後,請記得儲存!並重新啟動本程式.";

// The sets the More button steps through; the last one is the user's, read from group files.
inline constexpr int16_t kSetCount = 3;
inline constexpr int16_t kUserSet = 3;

class UserCaptionList;

// What the palette shows and where it is: plain data that the handlers change and the window
// copies to its child windows.
struct PaletteState {
    // Position: the set, group and page the keys show, and the group's page count as the
    // paging last worked it out.
    int16_t set = 0;
    int16_t group = 0;
    int16_t page = 0;
    int16_t page_count = 0;
    std::u16string group_captions;  // the current set's group captions, joined by commas
    WindowHandle target = 0;        // the last window other than the palette in front
    KeyTable table;

    // Searching: the keys show what the search box found, or the recent symbols while it is
    // empty. The position above stays where the user left it, to show again afterwards.
    bool searching = false;
    int16_t search_page = 1;
    RecentSymbols recent;
    uint32_t recent_changes = 0;  // counts changes of `recent`, which the window then saves

    // Controls.
    std::array<ButtonControl, kKeysPerPage> keys;
    std::array<ButtonControl, kGroupButtons> group_buttons;
    ButtonControl page_up_button;
    ButtonControl page_down_button;
    ButtonControl more_button;
    ButtonControl about_button;
    LabelControl page_label;
    TextControl preview;
};

// The palette window's handlers. The window calls a handler for each event and then copies the
// state's plain-data controls to its child windows; handlers never touch a window.
class Palette : public PaletteState {
  public:
    explicit Palette(const Desktop& desktop);

    // Start-up: topmost, set 1, built-in and user groups, group 0 selected.
    void start();

    // Navigation.
    void show_group_captions(int16_t shown_set);
    void select_group(int16_t index);
    void next_page();
    // 上頁, which is 編輯 (open the group's file) on page 1 of the user's set.
    void previous_page_or_edit();
    void next_set();
    void open_about();

    // Sending.
    // The window in front, as the system tells of a change, or as read when the pointer
    // comes to the palette (where the system cannot tell).
    void foreground_changed(WindowHandle window);
    void track_foreground();
    // A key click. One that comes while another key is being delivered (its activation and
    // wait dispatch messages) is queued and delivered after it: keys type in click order.
    void send_key(int16_t index);
    void preview_key(int16_t index);
    // What the key's tooltip tells: its caption, the code points it types, its group file.
    [[nodiscard]] std::u16string key_tooltip(int16_t index) const;
    void copy_key(int16_t index);  // a right click: the key's send string to the clipboard
    // What a screen reader is told about a control, as it shows now.
    [[nodiscard]] AccessibleFacts accessible_facts(ControlRole control) const;

    // Searching. The search box got the focus: it empties and the keys show the recent
    // symbols. Each change of its text shows what it finds, 46 a page.
    void begin_search();
    void search_for(std::u16string_view query);
    void send_first_result();  // Enter in the search box
    // Escape: the keys show the group page again and the target gets the front back.
    void escape_search();
    void clear_recent();
    // What the keys show: changes whenever they show other items than before.
    [[nodiscard]] std::array<uint32_t, 4> key_view() const;

    // The user's set from its group files. Each item keeps at most kMaxTextUnits units, all a
    // key can show and type. Out of memory, set 3 keeps what it held.
    void load_user_groups();
    // The group files changed: set 3 is read again as at start-up, starting from empty, so a
    // shorter file leaves nothing of the longer one before it. While set 3 shows, its group
    // captions are read again too and the keys stay on the selected group and page (page 1
    // where that page is gone). False when memory ran out: set 3 stays as it was.
    bool reload_user_groups();
    // True when the last reading of set 3 met a group file held open by another program (an
    // editor in the middle of saving, say): read again a moment later, it may give more.
    [[nodiscard]] bool met_file_in_use() const { return met_file_in_use_; }

  private:
    // A key index for the first search result, wherever the paging stands.
    static constexpr int16_t kFirstResult = -1;
    static double key_font_size(std::u16string_view caption);
    [[nodiscard]] int32_t item_under_key(int16_t index) const;
    [[nodiscard]] SearchResults::Item shown_under_key(int16_t index) const;
    void remember_typed(const SearchResults::Item& item);
    void deliver_key(int16_t index);
    void mark_selected_group(int16_t index);
    void end_search();
    void show_search_page();
    void index_for_search();
    bool copy_instead(int16_t index, std::u16string_view text, std::u16string_view reason);
    void show_page_keys();
    void refresh_paging();
    [[nodiscard]] std::u16string user_group_caption_list();
    [[nodiscard]] std::vector<std::u16string> read_user_file(int16_t n, size_t max_lines);
    void read_user_set(KeyTable& into, UserCaptionList* captions);
    void show_caption_pieces();
    void show_position();
    void run_edit_command();

    Desktop desktop_;
    // Set 3's captions as last read in full; shown again when a later pass runs out of memory.
    std::u16string last_user_captions_ = std::u16string(kGroupButtons - 1, u',');
    std::deque<int16_t> queued_keys_;  // clicked while a key was being delivered
    bool delivering_ = false;
    SearchResults results_;
    bool met_file_in_use_ = false;
};

}  // namespace quillaro
