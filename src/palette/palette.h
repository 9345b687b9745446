// The palette window's state and event handlers, free of any window-system type.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "palette/controls.h"
#include "palette/desktop.h"
#include "symbols/key_table.h"

namespace quillaro {

inline constexpr int16_t kGroupButtons = 16;
inline constexpr const char16_t* kAppTitle = u"Quillaro符號輸入小工具";
inline constexpr const char16_t* kEditNotice = u"注意!編輯自訂檔後,請記得儲存!並重新啟動本程式.";

// The most UTF-16 units of a key-table string that a control shows or a key types. Far more
// than any symbol or phrase a key is made for, and few enough that a runaway line of a group
// file (megabytes without a comma) neither stalls the window's controls for minutes nor floods
// the target window with keystrokes. A longer string shows and types its first units, never
// half a surrogate pair; the key table keeps it whole, so the preview always shows exactly
// what a click types.
inline constexpr size_t kMaxTextUnits = 1024;
std::u16string_view within_text_limit(std::u16string_view text);

// Handler and field names follow the window's controls (`group_key_Click`, `set_no`, ...).
// NOLINTBEGIN(readability-identifier-naming,misc-non-private-member-variables-in-classes)
class Palette {
  public:
    explicit Palette(Desktop& desktop);

    // Start-up: topmost, set 1, built-in and user groups, group 0 selected.
    void Form_Load();

    // Navigation.
    void show_group_names(int16_t set);
    void group_key_Click(int16_t index);
    void cmd_down_Click();
    void cmd_up_Click();
    void cmd_more_Click();
    void cmd_about_Click();

    // Sending.
    void Timer1_Timer();
    void key_button_Click(int16_t index);
    void key_button_MouseMove(int16_t index);

    // Set 3 from the user's group files.
    void load_user_groups();

    // The loaders, as the window's own methods.
    void show_send(int16_t g, int16_t k, std::u16string_view str_buf,
                   std::u16string_view str_buf2) {
        table.show_send(g, k, str_buf, str_buf2);
    }
    void show_send2(int16_t g, int16_t k, std::u16string_view str_buf,
                    std::u16string_view str_buf2) {
        table.show_send2(g, k, str_buf, str_buf2);
    }

    // State.
    int16_t set_count = 0;
    int16_t set_no = 0;
    int16_t group_no = 0;
    int16_t page_no = 0;
    int16_t page_total = 0;
    std::u16string group_names;
    std::u16string file_dir;  // prefix of group-file names; empty, so names stay relative
    WindowHandle target_hwnd = 0;
    KeyTable table;

    // Controls.
    std::array<ButtonControl, kKeysPerPage> key_button;
    std::array<ButtonControl, kGroupButtons> group_key;
    ButtonControl cmd_up;
    ButtonControl cmd_down;
    ButtonControl cmd_more;
    ButtonControl cmd_about;
    LabelControl page_show;
    TextControl Text1;

  private:
    [[nodiscard]] int32_t item_under_key(int16_t index) const;
    void show_page_keys();
    void write_page_label();
    [[nodiscard]] std::u16string user_group_caption_list();
    void run_edit_command();

    Desktop& desktop_;
};
// NOLINTEND(readability-identifier-naming,misc-non-private-member-variables-in-classes)

}  // namespace quillaro
